// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/core/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString errnoText(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

// What a file that is not a regular file is, for a message.
QString kindOf(mode_t mode)
{
    if (S_ISDIR(mode))
        return QStringLiteral("a folder");
    if (S_ISLNK(mode))
        return QStringLiteral("a symbolic link");
    if (S_ISFIFO(mode))
        return QStringLiteral("a pipe");
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return QStringLiteral("a device");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    return QStringLiteral("not a regular file");
}

// Empty when path may be written: nothing there yet, or a regular file that
// is not a link. Sets mode to the old file's permissions.
QString refusedTarget(const QByteArray& name, const QString& path, mode_t& mode)
{
    struct stat st {};
    if (::lstat(name.constData(), &st) != 0) {
        if (errno == ENOENT)
            return {};
        return QStringLiteral("'%1' cannot be written: %2").arg(path, errnoText(errno));
    }
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("'%1' is %2, not a regular file; nothing was written.").arg(path, kindOf(st.st_mode));
    mode = st.st_mode & 07777;
    return {};
}

mode_t newFileMode()
{
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 limit)
{
    RegularFileRead read;
    const QByteArray name = QFile::encodeName(path);
    struct stat st {};
    if (::stat(name.constData(), &st) != 0) {
        read.error = QStringLiteral("'%1' cannot be read: %2").arg(path, errnoText(errno));
        return read;
    }
    if (!S_ISREG(st.st_mode)) {
        read.error = QStringLiteral("'%1' is %2, not a regular file; nothing was read.").arg(path, kindOf(st.st_mode));
        return read;
    }
    int fd;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        read.error = QStringLiteral("'%1' cannot be read: %2").arg(path, errnoText(errno));
        return read;
    }
    // It may have been swapped for something else since the look above.
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        read.error = QStringLiteral("'%1' is not a regular file; nothing was read.").arg(path);
        return read;
    }
    read.bytes.resize(qsizetype(limit + 1));
    qsizetype got = 0;
    while (got < read.bytes.size()) {
        const ssize_t n = ::read(fd, read.bytes.data() + got, size_t(read.bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            read.error = QStringLiteral("'%1' cannot be read: %2").arg(path, errnoText(errno));
            read.bytes.clear();
            ::close(fd);
            return read;
        }
        if (n == 0)
            break;
        got += n;
    }
    ::close(fd);
    read.bytes.resize(got);
    return read;
}

QString writeRegularFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    mode_t mode = newFileMode();
    if (QString refused = refusedTarget(name, path, mode); !refused.isEmpty())
        return refused;

    const QFileInfo target(path);
    if (!target.dir().exists())
        return QStringLiteral("'%1' cannot be written: the folder %2 does not exist.")
            .arg(path, QDir::toNativeSeparators(target.absolutePath()));
    // Created afresh with O_EXCL: the new file is never a link or anything
    // that was there before.
    QTemporaryFile temp(target.absoluteDir().filePath(QStringLiteral(".%1.XXXXXX").arg(target.fileName())));
    if (!temp.open())
        return QStringLiteral("'%1' cannot be written: %2").arg(path, temp.errorString());
    const auto failed = [&](const QString& why) {
        return QStringLiteral("Writing '%1' failed: %2. The old file is unchanged.").arg(path, why);
    };
    if (temp.write(bytes) != bytes.size() || !temp.flush())
        return failed(temp.errorString());
    if (::fsync(temp.handle()) != 0 || ::fchmod(temp.handle(), mode) != 0)
        return failed(errnoText(errno));
    // Looked at again just before the rename; rename() itself replaces the
    // name and never writes through whatever it named.
    if (QString refused = refusedTarget(name, path, mode); !refused.isEmpty())
        return refused;
    if (::rename(QFile::encodeName(temp.fileName()).constData(), name.constData()) != 0)
        return failed(errnoText(errno));
    temp.setAutoRemove(false);
    return {};
}
