// Shared helpers of the core tests: scripted answers for the file and
// message dialogs, a temporary program folder as working directory, small
// project files, a window over them, a private settings store and the test
// main.
#pragma once

#include "HelpDialog.h"
#include "MainWindow.h"
#include "UserPrompts.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QList>
#include <QPair>
#include <QSettings>
#include <QStandardPaths>
#include <QStringList>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace meridan::test {

// Answers the dialogs from queues and records every message shown.
class ScriptedPrompts : public UserPrompts {
public:
    QStringList openAnswers;
    QStringList directoryAnswers;
    bool questionAnswer = true;
    int choiceAnswer = -1;                     // -1: the box was closed
    QStringList choices;                       // texts of the choice boxes shown
    QList<QPair<QString, QString>> warnings;   // title, text
    QStringList questions;
    QStringList openCaptions;
    QStringList openFilters;

    QString openFileName(QWidget*, const QString& caption, const QString&, const QString& filter) override
    {
        openCaptions << caption;
        openFilters << filter;
        return openAnswers.isEmpty() ? QString() : openAnswers.takeFirst();
    }
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString existingDirectory(QWidget*, const QString&, const QString&) override
    {
        return directoryAnswers.isEmpty() ? QString() : directoryAnswers.takeFirst();
    }
    void warning(QWidget*, const QString& title, const QString& text) override { warnings.append({title, text}); }
    std::function<void()> whileChoosing;       // runs while a choice box is "open"
    int choose(QWidget*, const QString&, const QString& text, const QStringList&) override
    {
        choices << text;
        if (whileChoosing)
            whileChoosing();
        return choiceAnswer;
    }
    bool question(QWidget*, const QString&, const QString& text) override
    {
        questions << text;
        return questionAnswer;
    }
    int itemAnswer = -1; // index of the item chosen; -1 cancels
    QStringList itemsOffered;
    QString item(QWidget*, const QString&, const QString&, const QStringList& items) override
    {
        itemsOffered = items;
        return items.value(itemAnswer);
    }
};

// The prompts of a test process outside any PromptScope: every dialog is
// cancelled and every question answered No, so no test ever blocks on a
// real dialog.
inline ScriptedPrompts& defaultPrompts()
{
    static ScriptedPrompts prompts;
    prompts.questionAnswer = false;
    return prompts;
}

// Installs scripted prompts for the lifetime of the object.
struct PromptScope {
    ScriptedPrompts prompts;
    PromptScope() { UserPrompts::install(&prompts); }
    ~PromptScope() { UserPrompts::install(&defaultPrompts()); }
};

inline void writeText(const QString& path, const QByteArray& text)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly | QIODevice::Truncate), qPrintable(path));
    file.write(text);
}

inline QByteArray readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A fresh program folder (bin/, results/, annotation/) made the working
// directory; the previous working directory comes back at the end.
class ProgramFolder {
public:
    ProgramFolder()
        : previous(QDir::currentPath())
    {
        QDir root(dir.path());
        root.mkpath(QStringLiteral("bin"));
        root.mkpath(QStringLiteral("results"));
        root.mkpath(QStringLiteral("annotation"));
        QDir::setCurrent(dir.path());
    }
    ~ProgramFolder() { QDir::setCurrent(previous); }
    QString path(const QString& relative = QString()) const
    {
        return relative.isEmpty() ? dir.path() : dir.filePath(relative);
    }

private:
    QTemporaryDir dir;
    QString previous;
};

// A small genome "NC_999999" of 2000 bases, four protein genes and one RNA gene.
inline const QByteArray sampleBases = "ACGTACGTACGGCCTTAAgc";   // each line of the sequence
inline const QByteArray sampleFna = ">NC_999999 test plasmid\n" + (sampleBases + '\n').repeated(100);
inline const QByteArray samplePtt =
    "Test organism plasmid pTest, complete sequence - 1..2000\n"
    "4 proteins\n"
    "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
    "100..400\t+\t100\t111\tgeneA\tT0001\t-\tCOG0001J\tfirst protein\n"
    "450..900\t+\t150\t112\tgeneB\tT0002\t-\t-\tsecond protein\n"
    "1000..1300\t-\t100\t113\tgeneC\tT0003\t-\tCOG0003K\tthird protein\n"
    "1400..1700\t-\t100\t114\tgeneD\tT0004\t-\t-\tfourth protein\n";
inline const QByteArray sampleRnt =
    "Test organism plasmid pTest, complete sequence - 1..2000\n"
    "1 RNAs\n"
    "Location\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n"
    "1800..1880\t+\t81\t-\trrsA\tT0005\t-\t-\t16S ribosomal RNA\n";

// Writes the sample's FNA, PTT and RNT files into folder/inputs and returns
// the folder holding them.
inline QString writeSampleInputs(const ProgramFolder& folder, const QString& id = QStringLiteral("NC_999999"))
{
    const QString inputs = folder.path(QStringLiteral("inputs"));
    writeText(inputs + "/" + id + ".fna", sampleFna);
    writeText(inputs + "/" + id + ".ptt", samplePtt);
    writeText(inputs + "/" + id + ".rnt", sampleRnt);
    return inputs;
}

// A window in a fresh program folder holding the sample's input files, with
// scripted prompts whose file dialogs answer the sample's files `answers`
// ("NC_999999.fna" and so on) in turn.
struct SampleWindow {
    PromptScope scope;
    ProgramFolder folder;
    const QString inputs = writeSampleInputs(folder);
    MainWindow w;

    explicit SampleWindow(const QStringList& answers = {})
    {
        for (const QString& name : answers)
            scope.prompts.openAnswers << inputs + "/" + name;
    }
};

// Keeps the settings of every test process in a private folder.
inline void useTemporarySettings()
{
    static QTemporaryDir settingsDir;
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
}

inline void clearRecentFiles()
{
    QSettings(QStringLiteral("Quenby"), QStringLiteral("SDI example")).remove(QStringLiteral("recentFiles"));
}

} // namespace meridan::test

#define MERIDAN_TEST_MAIN(TestClass)                                                 \
    int main(int argc, char* argv[])                                                 \
    {                                                                                \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                     \
        prepareWebEngineEnvironment();                                               \
        meridan::test::useTemporarySettings();                                       \
        QApplication app(argc, argv);                                                \
        app.setQuitOnLastWindowClosed(false);                                        \
        UserPrompts::install(&meridan::test::defaultPrompts());                      \
        TestClass test;                                                              \
        return QTest::qExec(&test, argc, argv);                                      \
    }
