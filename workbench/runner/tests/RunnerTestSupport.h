// Helpers shared by the runner tests: a fresh working folder per test and
// small file utilities.
#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace runnertest {

inline void writeBytes(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

inline QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// A gene-table row in the PTT layout.
inline QByteArray row(const char* location, const char* strand, const char* synonym)
{
    return QByteArray(location) + '\t' + strand + "\t100\t12345\t-\t" + synonym + "\t-\t-\tsome product\n";
}

inline QByteArray pttHeader(const char* count = "3 proteins")
{
    return QByteArray("Test genome, complete sequence - 1..9000\n") + count
           + "\nLocation\tStrand\tLength\tPID\tGene\tSynonym\tCode\tCOG\tProduct\n";
}

// Each test runs in a fresh empty working folder; the previous one comes back after.
class WorkFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder_.isValid());
        previous_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(folder_.path()));
    }
    void TearDown() override { QDir::setCurrent(previous_); }
    QString path(const QString& relative) const { return folder_.filePath(relative); }

private:
    QTemporaryDir folder_;
    QString previous_;
};

} // namespace runnertest
