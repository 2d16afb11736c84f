// The genome browser with its controls: a "go to" field (position, range,
// gene, locus tag or product word), zoom buttons, the whole-replicon button
// and a line telling what is shown and where the pointer is.
#pragma once

#include <QWidget>

class GenomeBrowser;
class QLabel;
class QLineEdit;
class QToolButton;

class GenomeBrowserPanel : public QWidget {
    Q_OBJECT
public:
    explicit GenomeBrowserPanel(QWidget *parent = nullptr);

    GenomeBrowser *browser() const { return browser_; }
    QLineEdit *goToField() const { return goTo_; }
    QLabel *statusLine() const { return status_; }
    // Shows a message in the status line (in red when it is a problem).
    void tell(const QString &text, bool problem = false);

signals:
    // "Add data track…" was pressed; the window asks for the file.
    void addTrackRequested();

private:
    void goTo();
    void showView(qint64 first, qint64 last);

    GenomeBrowser *browser_ = nullptr;
    QLineEdit *goTo_ = nullptr;
    QLabel *status_ = nullptr;
    QString viewText_;
};
