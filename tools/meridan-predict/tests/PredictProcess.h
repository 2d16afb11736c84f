// Running the built meridan-predict from a test: the program folder the
// build made, one run of the program, and a program folder of the test's own.
#pragma once

#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace meridan::predicttest {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

inline QString runFolder()
{
    return QString::fromStdString(meridan::testdata::runDir().string());
}

inline QString predictProgram()
{
    return runFolder() + "/meridan-predict";
}

inline Outcome run(const QString& program, const QStringList& arguments, int timeoutMs = 600000)
{
    QProcess process;
    process.start(program, arguments);
    Outcome o;
    if (!process.waitForFinished(timeoutMs)) {
        process.kill();
        process.waitForFinished();
        o.err = "did not finish";
        return o;
    }
    o.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    o.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    o.err = QString::fromLocal8Bit(process.readAllStandardError());
    return o;
}

// A program folder of the test's own: a copy of meridan-predict beside links
// to the built engines (bin/) and the promoter library's data, so results and
// work files stay apart from every other run.
class ProgramCopy {
public:
    explicit ProgramCopy(bool withEngines = true)
    {
        program_ = folder_.filePath("meridan-predict");
        EXPECT_TRUE(QFile::copy(predictProgram(), program_));
        QFile::setPermissions(program_, QFile::permissions(program_) | QFile::ExeOwner);
        if (!withEngines) {
            QDir(folder_.path()).mkdir("bin");
            return;
        }
        for (const char* shared : {"bin", "WM", "threshold"}) {
            if (QFileInfo::exists(runFolder() + "/" + shared)) {
                EXPECT_TRUE(QFile::link(runFolder() + "/" + shared, folder_.filePath(shared)));
            }
        }
    }
    QString program() const { return program_; }
    QString path(const QString& relative) const { return folder_.filePath(relative); }

private:
    QTemporaryDir folder_;
    QString program_;
};

} // namespace meridan::predicttest
