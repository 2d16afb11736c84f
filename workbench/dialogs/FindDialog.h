// The gene search dialog: collects a text and the field to search (gene
// name or synonym) and hands them to the window through findContent().
#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class FindDialog;
}

class FindDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FindDialog(QWidget *parent = nullptr);
    ~FindDialog() override;

    QString lastSearchText() const { return searchText; }
    int lastSearchField() const { return searchField; }
    bool isStopRequested() const { return stopRequested; }
    // The line under the search field: "not found" after a search without a
    // match, empty otherwise.
    QString resultText() const;

signals:
    // The text and the combo-box index: 0 "Gene", 1 "Synonym".
    bool findContent(const QString &text, int field);

public slots:
    void find();
    void stop();
    void doTxtchange(const QString &txt);
    void doComboxChange();
    // Tells the outcome of the last search in the dialog.
    void showResult(bool found);

protected:
    // Each time the dialog opens, typing goes into the search text.
    void showEvent(QShowEvent *event) override;

private:
    Ui::FindDialog *ui;
    class QLabel *resultLabel = nullptr;
    QString searchText;
    int searchField = 0;
    bool stopRequested = false;   // the search is synchronous; nothing reads it
};
