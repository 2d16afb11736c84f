// Remembers the result folders of a run as they were before it started, so
// that a cancelled run can take back every file it created or rewrote and
// leave no partial result set behind.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QString>
#include <QStringList>

class RunFileGuard {
public:
    // Records the files now in each folder (not recursively).
    void snapshot(const QStringList& folders);
    // Removes the files of the recorded folders that are new or changed since
    // the snapshot; returns their paths. Forgets the snapshot.
    QStringList removeChanged();
    bool active() const { return !folders_.isEmpty(); }
    void clear();

private:
    struct Stamp {
        QDateTime modified;
        qint64 size = -1;
    };
    QStringList folders_;
    QHash<QString, Stamp> before_;
};
