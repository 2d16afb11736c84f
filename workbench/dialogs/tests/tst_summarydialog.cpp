// The statistics dialog: its form, the summary file under "Count of ATU",
// a second reading replacing the first, and a missing file.
#include "SummaryDialog.h"
#include "support/DialogsTestSupport.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QtTest>

class SummaryDialogTest : public QObject {
    Q_OBJECT

private:
    QTemporaryDir dir;

    void write(const QString& path, const QByteArray& text)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(text);
    }

private slots:
    void form()
    {
        SummaryDialog dialog;
        dialogstest::checkFrame(dialog, "SummaryDialog", "Statistics", QSize(461, 248));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okButton"));
        QVERIFY(ok);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(dialog.findChild<QTextBrowser*>(QStringLiteral("textBrowser")));
        QVERIFY(dialog.summaryPath().isEmpty());
        QCOMPARE(dialog.statisticsText(), QString());

        dialog.show();
        QVERIFY(dialog.isVisible());
        ok->click();
        QVERIFY(!dialog.isVisible());
    }

    void showsTheSummaryUnderItsHeading()
    {
        const QString path = dir.filePath(QStringLiteral("NC_000913_summary.txt"));
        write(path, "12 internal promoters,\n3 internal terminators,\n40 TUs including 7 alternative ones.\n");
        SummaryDialog dialog;
        dialog.setSummaryPath(path);
        QCOMPARE(dialog.summaryPath(), path);
        dialog.showStatistics();
        QCOMPARE(dialog.statisticsText(),
                 QStringLiteral("Count of ATU\n12 internal promoters,\n3 internal terminators,\n"
                                "40 TUs including 7 alternative ones.\n"));
        auto* browser = dialog.findChild<QTextBrowser*>(QStringLiteral("textBrowser"));
        QCOMPARE(browser->font().family(), QStringLiteral("Times"));
        QVERIFY(!browser->font().bold());

        // Reading again replaces the heading and the text.
        write(path, "1 internal promoters,\n");
        dialog.showStatistics();
        QCOMPARE(dialog.statisticsText(), QStringLiteral("Count of ATU\n1 internal promoters,\n"));

        // A missing file leaves the text as it was.
        dialog.setSummaryPath(dir.filePath(QStringLiteral("absent.txt")));
        dialog.showStatistics();
        QCOMPARE(dialog.statisticsText(), QStringLiteral("Count of ATU\n1 internal promoters,\n"));
    }
};

MERIDAN_DIALOGS_TEST_MAIN(SummaryDialogTest)
#include "tst_summarydialog.moc"
