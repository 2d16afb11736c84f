// The find-files tool on a temporary folder: listing, sizes, subfolders,
// content search with and without case sensitivity, and Stop.
#include "FindFileForm.h"
#include "support/DialogsTestSupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    file.write(content);
}

// Rows of the result table as absolute path -> size text.
QMap<QString, QString> rows(FindFileForm& form)
{
    auto* table = form.findChild<QTableWidget*>("resultTableWidget");
    QMap<QString, QString> out;
    for (int r = 0; r < table->rowCount(); ++r)
        out.insert(table->item(r, 0)->text(), table->item(r, 1)->text());
    return out;
}

QStringList names(FindFileForm& form)
{
    auto* table = form.findChild<QTableWidget*>("resultTableWidget");
    QStringList out;
    for (int r = 0; r < table->rowCount(); ++r)
        out << table->item(r, 0)->text();
    return out;
}

QString status(FindFileForm& form) { return form.findChild<QLabel*>("statusLabel")->text(); }
QString result(FindFileForm& form) { return form.findChild<QLabel*>("resultLabel")->text(); }

void setUp(FindFileForm& form, const QString& dir, const QString& text = QString(),
           bool subfolders = false, bool caseSensitive = false)
{
    form.findChild<QComboBox*>("dirComboBox")->setEditText(dir);
    form.findChild<QLineEdit*>("txtLineEdit")->setText(text);
    form.findChild<QCheckBox*>("subfolderCheckBox")->setChecked(subfolders);
    form.findChild<QCheckBox*>("sensitiveCheckBox")->setChecked(caseSensitive);
}

class ChoosingForm : public FindFileForm {
public:
    QString answer;

protected:
    QString chooseDirectory() override { return answer; }
};

} // namespace

class TstFindFileForm : public QObject {
    Q_OBJECT

private slots:
    void formAtConstruction()
    {
        FindFileForm form;
        dialogstest::checkFrame(form, "FindFileForm", QString::fromUtf8("查找文件"), QSize(372, 410));
        QCOMPARE(status(form), QString("Ready"));
        QCOMPARE(result(form), QString("Locate 0 file"));
        auto* combo = form.findChild<QComboBox*>("dirComboBox");
        QVERIFY(combo->isEditable());
        QCOMPARE(combo->itemText(0), QDir::currentPath());
        QCOMPARE(combo->currentText(), QDir::currentPath());
        QCOMPARE(form.findChild<QLabel*>("label_2")->text(), QString::fromUtf8("Text Include："));
        QCOMPARE(form.findChild<QLabel*>("label_3")->text(), QString::fromUtf8("Location："));
        auto* table = form.findChild<QTableWidget*>("resultTableWidget");
        QCOMPARE(table->columnCount(), 4);
        const QStringList headers{"Name", "Size", "Modification Time", "Authority"};
        for (int c = 0; c < 4; ++c)
            QCOMPARE(table->horizontalHeaderItem(c)->text(), headers[c]);
        for (const char* name : {"findPushBtn", "stopPushBtn", "closePushBtn", "browsePushBtn"})
            QVERIFY2(form.findChild<QPushButton*>(name), name);
        QVERIFY(form.findChild<QFrame*>("frame"));

        // Case sensitivity is offered only for a content search.
        auto* sensitive = form.findChild<QCheckBox*>("sensitiveCheckBox");
        QVERIFY(!sensitive->isEnabled());
        form.findChild<QLineEdit*>("txtLineEdit")->setText("x");
        QVERIFY(sensitive->isEnabled());
        form.findChild<QLineEdit*>("txtLineEdit")->clear();
        QVERIFY(!sensitive->isEnabled());
    }

    void threeFilesAndTheirSizes()
    {
        QTemporaryDir tmp;
        QVERIFY(tmp.isValid());
        writeFile(tmp.filePath("one.txt"), "x");
        writeFile(tmp.filePath("empty.txt"), "");
        writeFile(tmp.filePath("big.dat"), QByteArray(1025, 'a'));
        QFile::setPermissions(tmp.filePath("big.dat"), QFile::permissions(tmp.filePath("big.dat")) |
                                                           QFile::ExeOwner | QFile::ExeUser);

        FindFileForm form;
        setUp(form, tmp.path());
        form.find();
        QCOMPARE(form.foundCount(), 3);
        QCOMPARE(result(form), QString("Locate 3 files"));
        QCOMPARE(status(form), QString("Ready"));

        const QMap<QString, QString> found = rows(form);
        QCOMPARE(found.value(QDir(tmp.path()).absoluteFilePath("one.txt")), QString("1 KB"));
        QCOMPARE(found.value(QDir(tmp.path()).absoluteFilePath("empty.txt")), QString("0 KB"));
        QCOMPARE(found.value(QDir(tmp.path()).absoluteFilePath("big.dat")), QString("2 KB"));

        auto* table = form.findChild<QTableWidget*>("resultTableWidget");
        const QRegularExpression timeFormat("^\\d{4}/\\d{2}/\\d{2} \\d{2}:\\d{2}$");
        for (int r = 0; r < 3; ++r) {
            QCOMPARE(table->item(r, 0)->flags(), Qt::ItemFlags(Qt::ItemIsEnabled));
            QCOMPARE(table->item(r, 1)->flags(), Qt::ItemFlags(Qt::ItemIsEnabled));
            QCOMPARE(table->item(r, 1)->textAlignment(), int(Qt::AlignRight | Qt::AlignVCenter));
            QVERIFY(table->item(r, 2)->flags() & Qt::ItemIsSelectable);
            QVERIFY2(timeFormat.match(table->item(r, 2)->text()).hasMatch(),
                     qPrintable(table->item(r, 2)->text()));
            const QFileInfo info(table->item(r, 0)->text());
            QString rights = QString(info.isWritable() ? "w" : "") + (info.isReadable() ? "r" : "") +
                             (info.isExecutable() ? " x" : "");
            QCOMPARE(table->item(r, 3)->text(), rights);
            if (info.fileName() == "big.dat")
                QVERIFY(table->item(r, 3)->text().endsWith(" x"));
        }

        // After the search the inputs are back and Stop is idle.
        QVERIFY(form.findChild<QFrame*>("frame")->isEnabled());
        QVERIFY(form.findChild<QPushButton*>("findPushBtn")->isEnabled());
        QVERIFY(!form.findChild<QPushButton*>("stopPushBtn")->isEnabled());

        // A second search empties the table first.
        form.find();
        QCOMPARE(table->rowCount(), 3);
    }

    void subfoldersComeFirst()
    {
        QTemporaryDir tmp;
        QDir root(tmp.path());
        QVERIFY(root.mkpath("sub1/deep") && root.mkpath("sub2"));
        writeFile(root.filePath("top.txt"), "t");
        writeFile(root.filePath("sub1/b.txt"), "b");
        writeFile(root.filePath("sub1/deep/c.txt"), "c");
        writeFile(root.filePath("sub2/d.txt"), "d");

        FindFileForm form;
        setUp(form, tmp.path());
        form.find();
        QCOMPARE(names(form), QStringList{root.absoluteFilePath("top.txt")});

        setUp(form, tmp.path(), QString(), true);
        form.find();
        const QStringList listed = names(form);
        QCOMPARE(listed.size(), 4);
        QCOMPARE(form.foundCount(), 4);
        QCOMPARE(result(form), QString("Locate 4 files"));
        // Depth first: a folder's subfolders before its own files.
        QCOMPARE(listed.last(), root.absoluteFilePath("top.txt"));
        QVERIFY(listed.indexOf(root.absoluteFilePath("sub1/deep/c.txt")) <
                listed.indexOf(root.absoluteFilePath("sub1/b.txt")));
    }

    void linkedFoldersAreNotFollowed()
    {
        QTemporaryDir tmp;
        QDir root(tmp.path());
        QVERIFY(root.mkpath("sub"));
        writeFile(root.filePath("sub/a.txt"), "a");
        // A link back to the top would make the search endless.
        QVERIFY(QFile::link(root.absolutePath(), root.filePath("sub/loop")));
        QVERIFY(QFile::link(root.filePath("sub/a.txt"), root.filePath("sub/alias.txt")));

        FindFileForm form;
        setUp(form, tmp.path(), QString(), true);
        form.find();
        QCOMPARE(names(form), QStringList{root.absoluteFilePath("sub/a.txt")});
    }

    void contentSearch()
    {
        QTemporaryDir tmp;
        QDir root(tmp.path());
        writeFile(root.filePath("mixed.txt"), "first line\nsay Hello there\nlast\n");
        writeFile(root.filePath("upper.txt"), "HELLO\n");
        writeFile(root.filePath("none.txt"), "nothing to see\n");
        writeFile(root.filePath("empty.txt"), "");

        FindFileForm form;
        setUp(form, tmp.path(), "Hello", false, false);
        form.find();
        QStringList found = names(form);
        found.sort();
        QCOMPARE(found,
                 (QStringList{root.absoluteFilePath("mixed.txt"), root.absoluteFilePath("upper.txt")}));
        QCOMPARE(result(form), QString("Locate 2 files"));

        setUp(form, tmp.path(), "Hello", false, true);
        form.find();
        QCOMPARE(names(form), QStringList{root.absoluteFilePath("mixed.txt")});
        QCOMPARE(result(form), QString("Locate 1 files"));

        setUp(form, tmp.path(), "absent", false, false);
        form.find();
        QCOMPARE(names(form), QStringList());
        QCOMPARE(result(form), QString("Locate 0 files"));
    }

    void stopEndsAContentSearch()
    {
        QTemporaryDir tmp;
        QDir root(tmp.path());
        for (int i = 0; i < 5; ++i)
            writeFile(root.filePath(QString("f%1.txt").arg(i)), "needle\n");

        FindFileForm form;
        setUp(form, tmp.path(), "needle");
        auto* stopButton = form.findChild<QPushButton*>("stopPushBtn");
        // Stop is pressed while the search processes pending events; the
        // button is only active during the search.
        QTimer::singleShot(0, stopButton, &QPushButton::click);
        form.find();
        QCOMPARE(status(form), QString("Stoped"));
        QCOMPARE(names(form).size(), 0);
        QVERIFY(!stopButton->isEnabled());

        // The next search starts afresh.
        form.find();
        QCOMPARE(status(form), QString("Ready"));
        QCOMPARE(names(form).size(), 5);
    }

    void stopAfterTheFirstSubfolder()
    {
        QTemporaryDir tmp;
        QDir root(tmp.path());
        QVERIFY(root.mkpath("only"));
        writeFile(root.filePath("only/in.txt"), "needle\n");
        writeFile(root.filePath("top.txt"), "needle\n");

        FindFileForm form;
        setUp(form, tmp.path(), "needle", true);
        auto* table = form.findChild<QTableWidget*>("resultTableWidget");
        connect(table->model(), &QAbstractItemModel::rowsInserted, &form, &FindFileForm::stop);
        form.find();
        QCOMPARE(status(form), QString("Stoped"));
        QCOMPARE(names(form), QStringList{root.absoluteFilePath("only/in.txt")});
    }

    void returnInTheTextStartsTheSearch()
    {
        QTemporaryDir tmp;
        writeFile(QDir(tmp.path()).filePath("a.txt"), "needle\n");
        FindFileForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        setUp(form, tmp.path(), "needle");
        auto* edit = form.findChild<QLineEdit*>("txtLineEdit");
        edit->setFocus();
        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(names(form), QStringList{QDir(tmp.path()).absoluteFilePath("a.txt")});
    }

    void missingFolderFindsNothing()
    {
        FindFileForm form;
        setUp(form, "/nonexistent/meridan/folder");
        form.find();
        QCOMPARE(names(form).size(), 0);
        QCOMPARE(result(form), QString("Locate 0 files"));
        QCOMPARE(status(form), QString("Ready"));
    }

    void browseAddsTheChosenFolder()
    {
        ChoosingForm form;
        auto* combo = form.findChild<QComboBox*>("dirComboBox");
        form.answer = QString();
        form.browse();
        QCOMPARE(combo->count(), 1);

        form.answer = "/tmp";
        form.browse();
        QCOMPARE(combo->count(), 2);
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(combo->currentText(), QString("/tmp"));
    }

    void closeHides()
    {
        FindFileForm form;
        form.show();
        QVERIFY(form.isVisible());
        form.findChild<QPushButton*>("closePushBtn")->click();
        QVERIFY(!form.isVisible());
    }
};

MERIDAN_DIALOGS_TEST_MAIN(TstFindFileForm)

#include "tst_findfileform.moc"
