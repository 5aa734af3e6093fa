#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <cstring>

namespace platform {

FolderLock::~FolderLock() {
    if (fd_ >= 0) ::close(fd_);
}

FolderLock::Outcome FolderLock::Take(const QString& folder, QString* reason) {
    if (fd_ >= 0) return Outcome::Taken;
    // Close-on-exec: a child such as systemctl must not keep the folder locked.
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0 && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        fd_ = fd;
        return Outcome::Taken;
    }
    const int error = errno;
    if (fd >= 0) ::close(fd);
    if (error == EWOULDBLOCK) {
        *reason = QStringLiteral("another terminal holds the lock on %1").arg(folder);
        return Outcome::HeldByAnother;
    }
    *reason = QStringLiteral("cannot lock %1: %2")
                  .arg(folder, QString::fromLocal8Bit(std::strerror(error)));
    return Outcome::Failed;
}

}  // namespace platform
