// The "Statistics" dialog: shows the TU builder's summary file under the
// heading "Count of ATU".
#pragma once

#include <QDialog>
#include <QString>

namespace Ui {
class SummaryDialog;
}

class SummaryDialog : public QDialog {
    Q_OBJECT

public:
    explicit SummaryDialog(QWidget* parent = nullptr);
    ~SummaryDialog() override;

    void setSummaryPath(const QString& path);
    QString summaryPath() const { return m_summaryPath; }

    // Reads the summary file into the text browser, replacing what it showed;
    // a file that cannot be opened leaves the text as it was.
    void showStatistics();

    // The text shown, as plain text.
    QString statisticsText() const;

private:
    Ui::SummaryDialog* ui;
    QString m_summaryPath;
};
