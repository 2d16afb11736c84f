// The promoter and terminator query forms and the About box: names,
// titles, sizes and texts.
#include "AboutDialog.h"
#include "QPromoterDlg.h"
#include "QTerminatorDlg.h"
#include "support/DialogsTestSupport.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextEdit>
#include <QtTest>

class TstForms : public QObject {
    Q_OBJECT

    void checkQueryForm(QDialog& dlg, const QString& name, const QString& title, QSize size,
                        const char* predictName)
    {
        dialogstest::checkFrame(dlg, name, title, size);
        QCOMPARE(dlg.font().family(), QString::fromUtf8("微软雅黑"));
        auto* splitter = dlg.findChild<QSplitter*>("splitter");
        QVERIFY(splitter);
        QCOMPARE(splitter->orientation(), Qt::Vertical);
        QVERIFY(dlg.findChild<QWidget*>("layoutWidget"));
        QCOMPARE(dlg.findChild<QLabel*>("label")->text(), QString("Enter Query Sequence"));
        QCOMPARE(dlg.findChild<QLabel*>("label_2")->text(), QString("Or, upload file"));
        QVERIFY(dlg.findChild<QTextEdit*>("textEdit"));
        QCOMPARE(dlg.findChild<QPushButton*>("selectFile")->text(), QString("Select file"));
        auto* predict = dlg.findChild<QPushButton*>(predictName);
        QVERIFY(predict);
        QCOMPARE(predict->text(), QString("Predict"));
        QCOMPARE(dlg.findChild<QGroupBox*>("groupBox")->title(), QString("Result"));
        QVERIFY(dlg.findChild<QTextBrowser*>("textBrowser"));

        // A plain form: pressing its buttons changes nothing, and the
        // entered text stays between showings.
        dlg.findChild<QTextEdit*>("textEdit")->setPlainText("ACGT");
        dlg.show();
        predict->click();
        dlg.findChild<QPushButton*>("selectFile")->click();
        dlg.hide();
        dlg.show();
        QCOMPARE(dlg.findChild<QTextEdit*>("textEdit")->toPlainText(), QString("ACGT"));
        QVERIFY(dlg.findChild<QTextBrowser*>("textBrowser")->toPlainText().isEmpty());
    }

private slots:
    void promoterForm()
    {
        QPromoterDlg dlg;
        checkQueryForm(dlg, "QPromoterDlg", "Promoter Prediction", QSize(636, 492), "Predict");
        QVERIFY(!dlg.findChild<QPushButton*>("pushButton_2"));
        // No slots or signals of its own.
        QCOMPARE(dlg.metaObject()->methodOffset(), dlg.metaObject()->methodCount());
    }

    void terminatorForm()
    {
        QTerminatorDlg dlg;
        checkQueryForm(dlg, "QTerminatorDlg", "Terminator Prediction", QSize(624, 488), "pushButton_2");
        QCOMPARE(dlg.metaObject()->methodOffset(), dlg.metaObject()->methodCount());
    }

    void aboutBox()
    {
        AboutDialog dlg;
        dialogstest::checkFrame(dlg, "AboutDialog", "About Meridan", QSize(421, 193));
        QCOMPARE(dlg.maximumSize(), QSize(421, 224));
        auto* browser = dlg.findChild<QTextBrowser*>("textBrowser");
        QVERIFY(browser);
        QCOMPARE(browser->styleSheet(), QString("background-color: rgb(240, 240, 240);"));

        const QString text = browser->toPlainText();
        QVERIFY(text.contains("Meridan"));
        QVERIFY(text.contains("Constructed with Qt, under LGPL."));
        QVERIFY(text.contains("the Meridan developers"));
        QVERIFY(text.contains("Version " MERIDAN_VERSION));
        QVERIFY(!text.contains("example.org"));

        // The name: bold, 11 points, blue; every paragraph centred.
        QTextCursor cursor = browser->document()->find("Meridan");
        QVERIFY(!cursor.isNull());
        const QTextCharFormat name = cursor.charFormat();
        QVERIFY(name.fontWeight() >= QFont::DemiBold);
        QCOMPARE(name.fontPointSize(), 11.0);
        QCOMPARE(name.foreground().color(), QColor("#0000ff"));
        for (QTextBlock b = browser->document()->begin(); b.isValid(); b = b.next())
            QVERIFY(b.blockFormat().alignment() & Qt::AlignHCenter);

        dlg.show();
        QVERIFY(dlg.isVisible());
        auto* ok = dlg.findChild<QPushButton*>("pushButton");
        QCOMPARE(ok->text(), QString("OK"));
        ok->click();
        QVERIFY(!dlg.isVisible());
    }
};

MERIDAN_DIALOGS_TEST_MAIN(TstForms)

#include "tst_forms.moc"
