// The "Help" window: shows the user manual "meridan.html" of the program's
// folder (the working directory) in a web view.
#pragma once

#include <QDialog>
#include <QUrl>

namespace Ui {
class HelpDialog;
}

// Prepares the process for the web view; call it in main() before the
// QApplication is created. The web engine reads its settings when it starts:
// it needs contexts shared between widgets, and, when the program runs as
// root, its sandbox switched off (QTWEBENGINE_DISABLE_SANDBOX=1), since the
// sandbox cannot run as root.
void prepareWebEngineEnvironment();

class HelpDialog : public QDialog {
    Q_OBJECT

public:
    explicit HelpDialog(QWidget* parent = nullptr);
    ~HelpDialog() override;

    // The widget that shows the page, object name "webView": a
    // QWebEngineView when the web engine is available, a QTextBrowser
    // otherwise.
    QWidget* webView() const { return m_webView; }
    // The local-file address of the manual, fixed at construction.
    QUrl manualUrl() const { return m_manualUrl; }
    // Whether the page has been handed to the view (at the first showing).
    bool isManualRequested() const { return m_requested; }

    // The absolute local-file address of "meridan.html" in the working directory.
    static QUrl manualUrlInWorkingDirectory();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadManual();

    Ui::HelpDialog* ui;
    QWidget* m_webView = nullptr;
    QUrl m_manualUrl;
    bool m_requested = false;
};
