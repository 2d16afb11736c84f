#include "RunFileGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

QFileInfoList filesIn(const QString& folder)
{
    return QDir(folder).entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

void RunFileGuard::snapshot(const QStringList& folders)
{
    clear();
    for (const QString& folder : folders) {
        const QString absolute = QDir(folder).absolutePath();
        if (folders_.contains(absolute))
            continue;
        folders_ << absolute;
        for (const QFileInfo& info : filesIn(absolute))
            before_.insert(info.absoluteFilePath(), {info.lastModified(), info.size()});
    }
}

QStringList RunFileGuard::removeChanged()
{
    QStringList removed;
    for (const QString& folder : std::as_const(folders_)) {
        for (const QFileInfo& info : filesIn(folder)) {
            const auto it = before_.constFind(info.absoluteFilePath());
            const bool unchanged = it != before_.constEnd() && it->modified == info.lastModified()
                && it->size == info.size();
            if (!unchanged && QFile::remove(info.absoluteFilePath()))
                removed << info.absoluteFilePath();
        }
    }
    clear();
    return removed;
}

void RunFileGuard::clear()
{
    folders_.clear();
    before_.clear();
}
