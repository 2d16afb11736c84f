// The help window loads the manual of the working directory into its web
// view, offscreen.
#include "HelpDialog.h"
#include "support/DialogsTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#ifdef MERIDAN_HAVE_WEBENGINE
#include <QWebEnginePage>
#include <QWebEngineView>
#else
#include <QTextBrowser>
#endif

namespace {

// Changes the working directory for one test and back.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const QString& path) : m_old(QDir::currentPath())
    {
        QDir::setCurrent(path);
    }
    ~WorkingDirectory() { QDir::setCurrent(m_old); }

private:
    QString m_old;
};

#ifdef MERIDAN_HAVE_WEBENGINE
// Waits until the view has loaded its page; returns whether it succeeded.
bool waitForPage(QWebEngineView* view, const QUrl& url)
{
    QSignalSpy finished(view, &QWebEngineView::loadFinished);
    for (int i = 0; i < 120; ++i) {
        for (const QList<QVariant>& call : finished)
            if (view->url() == url)
                return call.at(0).toBool();
        finished.wait(500);
    }
    return false;
}

QString pageText(QWebEngineView* view)
{
    // The page answers asynchronously; the answer may outlive this call.
    auto text = std::make_shared<QString>();
    auto done = std::make_shared<bool>(false);
    view->page()->toPlainText([text, done](const QString& t) {
        *text = t;
        *done = true;
    });
    for (int i = 0; i < 300 && !*done; ++i)
        QTest::qWait(100);
    return *text;
}
#endif

} // namespace

class TstHelpDialog : public QObject {
    Q_OBJECT

private slots:
    void environmentPrepared()
    {
        QVERIFY(QCoreApplication::testAttribute(Qt::AA_ShareOpenGLContexts));
#ifdef Q_OS_UNIX
        if (::geteuid() == 0)
            QCOMPARE(qgetenv("QTWEBENGINE_DISABLE_SANDBOX"), QByteArray("1"));
#endif
    }

    void formOfTheWindow()
    {
        HelpDialog dlg;
        dialogstest::checkFrame(dlg, "HelpDialog", "Help", QSize(1200, 600));
        QCOMPARE(dlg.minimumSize(), QSize(1200, 600));
        QVERIFY(dlg.findChild<QGridLayout*>("gridLayout"));
        QVERIFY(dlg.webView());
        QCOMPARE(dlg.webView()->objectName(), QString("webView"));
        QCOMPARE(dlg.findChild<QWidget*>("webView"), dlg.webView());
        QCOMPARE(dlg.manualUrl(),
                 QUrl::fromLocalFile(QDir::current().absoluteFilePath("meridan.html")));
        QVERIFY(dlg.manualUrl().isLocalFile());

        // The page is requested when the window is first shown, not before.
        QVERIFY(!dlg.isManualRequested());
        dlg.show();
        QVERIFY(dlg.isManualRequested());
    }

    void loadsTheManualOfTheWorkingDirectory()
    {
        QTemporaryDir tmp;
        QFile page(QDir(tmp.path()).filePath("meridan.html"));
        QVERIFY(page.open(QIODevice::WriteOnly));
        page.write("<html><head><title>Test manual</title></head>"
                   "<body><h1>Operons</h1><p>Meridan test page</p></body></html>");
        page.close();

        WorkingDirectory cwd(tmp.path());
        HelpDialog dlg;
        dlg.show();
        const QUrl expected = QUrl::fromLocalFile(QDir(tmp.path()).absoluteFilePath("meridan.html"));
        QCOMPARE(dlg.manualUrl(), expected);
#ifdef MERIDAN_HAVE_WEBENGINE
        auto* view = qobject_cast<QWebEngineView*>(dlg.webView());
        QVERIFY(view);
        QVERIFY(waitForPage(view, expected));
        QCOMPARE(view->title(), QString("Test manual"));
        QVERIFY(pageText(view).contains("Meridan test page"));
#else
        auto* view = qobject_cast<QTextBrowser*>(dlg.webView());
        QVERIFY(view->toPlainText().contains("Meridan test page"));
#endif
    }

    void missingManualIsNotFatal()
    {
        QTemporaryDir tmp;
        WorkingDirectory cwd(tmp.path());
        HelpDialog dlg;
        dlg.show();
#ifdef MERIDAN_HAVE_WEBENGINE
        auto* view = qobject_cast<QWebEngineView*>(dlg.webView());
        QSignalSpy finished(view, &QWebEngineView::loadFinished);
        QTRY_VERIFY_WITH_TIMEOUT(!finished.isEmpty(), 60000);
#endif
        QVERIFY(dlg.isVisible());
    }

    // The manual the build puts into the program folder.
    void theShippedManualLoads()
    {
        const QString runDir = QStringLiteral(MERIDAN_RUN_DIR);
        if (!QFile::exists(QDir(runDir).filePath("meridan.html")))
            QSKIP("the program folder holds no manual");
        WorkingDirectory cwd(runDir);
        HelpDialog dlg;
        dlg.show();
#ifdef MERIDAN_HAVE_WEBENGINE
        auto* view = qobject_cast<QWebEngineView*>(dlg.webView());
        QVERIFY(waitForPage(view, dlg.manualUrl()));
        QVERIFY(view->title().contains("Meridan"));
        const QString text = pageText(view);
#else
        const QString text = qobject_cast<QTextBrowser*>(dlg.webView())->toPlainText();
#endif
        for (const char* topic : {"operon", "terminator", "promoter", "_tulist.txt",
                                  "_genetag.txt", "_terminator_score.txt", "Find Files"})
            QVERIFY2(text.contains(QLatin1String(topic), Qt::CaseInsensitive), topic);
    }
};

MERIDAN_DIALOGS_TEST_MAIN(TstHelpDialog, prepareWebEngineEnvironment())

#include "tst_helpdialog.moc"
