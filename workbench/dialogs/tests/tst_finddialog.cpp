// The gene search dialog: its form, when Find can be pressed, and what a
// search hands to the window.
#include "FindDialog.h"
#include "support/DialogsTestSupport.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

class TestFindDialog : public QObject
{
    Q_OBJECT

    struct Form {
        explicit Form(FindDialog &d)
            : combo(d.findChild<QComboBox *>("comboBox"))
            , edit(d.findChild<QLineEdit *>("contentEdit"))
            , find(d.findChild<QPushButton *>("findPushBtn"))
            , stop(d.findChild<QPushButton *>("stopPushBtn"))
        {
        }
        QComboBox *combo;
        QLineEdit *edit;
        QPushButton *find;
        QPushButton *stop;
    };

private slots:
    void formMatchesTheLayout()
    {
        FindDialog dialog;
        Form f(dialog);
        QVERIFY(f.combo && f.edit && f.find && f.stop);
        dialogstest::checkFrame(dialog, "FindDialog", "Find", QSize(283, 73));
        QCOMPARE(dialog.maximumSize(), QSize(283, 129));
        QCOMPARE(f.combo->count(), 2);
        QCOMPARE(f.combo->itemText(0), QString("Gene"));
        QCOMPARE(f.combo->itemText(1), QString("Synonym"));
        QCOMPARE(dialog.findChild<QLabel *>("label")->text(), QString("Search"));
        QCOMPARE(f.find->text(), QString("Find"));
        QCOMPARE(f.stop->text(), QString("Stop"));
        QVERIFY(!f.find->isEnabled());
    }

    void typingEnablesFind()
    {
        FindDialog dialog;
        Form f(dialog);
        QTest::keyClicks(f.edit, "b");
        QVERIFY(f.find->isEnabled());
        f.edit->clear();
        QVERIFY(!f.find->isEnabled());
    }

    void findHandsTextAndFieldOver()
    {
        FindDialog dialog;
        Form f(dialog);
        f.combo->setCurrentIndex(1);
        QTest::keyClicks(f.edit, "b00");

        bool disabledDuringSearch = false;
        connect(&dialog, &FindDialog::findContent, this, [&](const QString &, int) {
            disabledDuringSearch = !f.find->isEnabled();
            return true;
        });
        QSignalSpy spy(&dialog, &FindDialog::findContent);
        QTest::mouseClick(f.find, Qt::LeftButton);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(0).toString(), QString("b00"));
        QCOMPARE(spy.first().at(1).toInt(), 1);
        QVERIFY(disabledDuringSearch);
        QVERIFY(!f.find->isEnabled());
        QCOMPARE(dialog.lastSearchText(), QString("b00"));
        QCOMPARE(dialog.lastSearchField(), 1);

        // A further character, or Stop, makes Find available again.
        QTest::keyClicks(f.edit, "1");
        QVERIFY(f.find->isEnabled());
        QTest::mouseClick(f.find, Qt::LeftButton);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.last().at(0).toString(), QString("b001"));
        QVERIFY(!f.find->isEnabled());
        QVERIFY(!dialog.isStopRequested());
        QTest::mouseClick(f.stop, Qt::LeftButton);
        QVERIFY(f.find->isEnabled());
        QVERIFY(dialog.isStopRequested());
        // The text is kept between searches.
        QCOMPARE(f.edit->text(), QString("b001"));
    }

    void geneFieldIsIndexZero()
    {
        FindDialog dialog;
        Form f(dialog);
        QTest::keyClicks(f.edit, "thr");
        QSignalSpy spy(&dialog, &FindDialog::findContent);
        dialog.find();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.first().at(1).toInt(), 0);
    }
};

MERIDAN_DIALOGS_TEST_MAIN(TestFindDialog)

#include "tst_finddialog.moc"
