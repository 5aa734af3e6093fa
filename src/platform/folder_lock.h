#pragma once
// One terminal per program folder: a lock on the folder itself that the system
// releases when the process ends, however it ends, so that no stale file is left to
// block the next start.

#include <QString>

namespace platform {

class FolderLock {
public:
    enum class Outcome { Taken, HeldByAnother, Failed };

    FolderLock() = default;
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // Takes the lock on folder without waiting, and holds it until this object goes;
    // reason says why when it is not taken. Another lock on the same folder, also one
    // in this process, is held by another.
    Outcome Take(const QString& folder, QString* reason);

private:
    int fd_ = -1;
};

}  // namespace platform
