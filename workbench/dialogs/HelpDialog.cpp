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

    m_manualUrl = manualUrlInWorkingDirectory();
#ifdef MERIDAN_HAVE_WEBENGINE
    auto* view = new QWebEngineView(this);
    view->setUrl(QUrl(QStringLiteral("about:blank")));
    view->load(m_manualUrl);
#else
    auto* view = new QTextBrowser(this);
    view->setOpenExternalLinks(true);
    view->setSource(m_manualUrl);
#endif
    view->setObjectName(QStringLiteral("webView"));
    ui->gridLayout->addWidget(view, 0, 0);
    m_webView = view;
    view->show();
}

HelpDialog::~HelpDialog()
{
    delete ui;
}
