#include "HelpDialog.h"
#include "ui_HelpDialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#ifdef MERIDAN_HAVE_WEBENGINE
#include <QWebEngineView>
#else
#include <QTextBrowser>
#endif

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

// Chromium's sandbox refuses to run as root; the program then runs its web
// view without it.
void disableSandboxWhenRoot()
{
#ifdef Q_OS_UNIX
    if (::geteuid() == 0 && qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
#endif
}

} // namespace

#if defined(__SANITIZE_ADDRESS__)
// The web engine's own (uninstrumented) code frees some objects through a
// base of another size, which AddressSanitizer reports as a type mismatch on
// delete; that check is switched off for programs that hold the help window.
extern "C" const char* __asan_default_options()
{
    return "new_delete_type_mismatch=0";
}
#endif

void prepareWebEngineEnvironment()
{
    disableSandboxWhenRoot();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

QUrl HelpDialog::manualUrlInWorkingDirectory()
{
    return QUrl::fromLocalFile(QFileInfo(QDir::current(), QStringLiteral("meridan.html"))
                                   .absoluteFilePath());
}

HelpDialog::HelpDialog(QWidget* parent) : QDialog(parent), ui(new Ui::HelpDialog)
{
    ui->setupUi(this);
    disableSandboxWhenRoot();

    // The address is taken now, while the working directory is the program
    // folder; the page itself is loaded when the window is first shown, so
    // that a main window that never shows its help starts no web engine.
    m_manualUrl = manualUrlInWorkingDirectory();
#ifdef MERIDAN_HAVE_WEBENGINE
    auto* view = new QWebEngineView(this);
#else
    auto* view = new QTextBrowser(this);
    view->setOpenExternalLinks(true);
#endif
    view->setObjectName(QStringLiteral("webView"));
    ui->gridLayout->addWidget(view, 0, 0);
    m_webView = view;
}

void HelpDialog::showEvent(QShowEvent* event)
{
    loadManual();
    QDialog::showEvent(event);
}

void HelpDialog::loadManual()
{
    if (m_requested)
        return;
    m_requested = true;
#ifdef MERIDAN_HAVE_WEBENGINE
    auto* view = static_cast<QWebEngineView*>(m_webView);
    view->setUrl(QUrl(QStringLiteral("about:blank")));
    view->load(m_manualUrl);
#else
    static_cast<QTextBrowser*>(m_webView)->setSource(m_manualUrl);
#endif
    m_webView->show();
}

HelpDialog::~HelpDialog()
{
    delete ui;
}
