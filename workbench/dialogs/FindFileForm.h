// A small file-search tool: lists the files of a folder (optionally with all
// its subfolders) and, when a text is given, only those with a line that
// contains it. The search runs on the GUI thread and processes pending events
// between files and folders, so that Stop can end it.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QDir;

namespace Ui {
class FindFileForm;
}

class FindFileForm : public QDialog {
    Q_OBJECT

public:
    explicit FindFileForm(QWidget* parent = nullptr);
    ~FindFileForm() override;

    // Files listed by the current (or last) search.
    int foundCount() const { return m_foundCount; }

public slots:
    void browse();
    void find();
    void stop();
    void doTxtChange(const QString& text);

protected:
    // Asks for a folder; an empty answer means none was chosen.
    virtual QString chooseDirectory();

private:
    void searchDirectory(const QString& path, const QString& pattern, const QString& text);
    QStringList findFiles(const QDir& dir, const QString& pattern, const QString& text);
    bool fileContains(const QString& path, const QString& text);
    void showFiles(const QDir& dir, const QStringList& names);

    Ui::FindFileForm* ui;
    bool m_stopRequested = false;
    bool m_includeSubfolders = false;
    bool m_caseSensitive = false;
    int m_foundCount = 0;
};
