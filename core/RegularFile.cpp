// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <tuple>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
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

RegularFileRead failedRead(RegularFileStatus status, const QString& error)
{
    return Failure(FileProblem{status, error});
}

RegularFileRead cannotRead(const QString& path, int error)
{
    if (error == ENOENT || error == ENOTDIR)
        return failedRead(RegularFileStatus::Missing,
                          QStringLiteral("'%1' cannot be read: %2").arg(path, errnoText(error)));
    return failedRead(RegularFileStatus::Unreadable, QStringLiteral("'%1' cannot be read: %2").arg(path, errnoText(error)));
}

RegularFileRead notRegular(const QString& path, mode_t mode)
{
    return failedRead(RegularFileStatus::NotRegular,
                      QStringLiteral("'%1' is %2, not a regular file; nothing was read.").arg(path, kindOf(mode)));
}

RegularFileRead tooLarge(const QString& path, qint64 limit)
{
    return failedRead(RegularFileStatus::TooLarge,
                      QStringLiteral("'%1' is larger than %2 bytes; nothing was read.").arg(path).arg(limit));
}

int openForReading(const QByteArray& name)
{
    int fd;
    do
        fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    while (fd < 0 && errno == EINTR);
    return fd;
}

// Reads from the descriptor's current offset to its end, never more than
// limit + 1 bytes; the buffer grows with what arrives, from `expected`.
RegularFileRead readToEnd(int fd, const QString& name, qint64 limit, qint64 expected)
{
    QByteArray bytes;
    bytes.resize(qsizetype(std::clamp<qint64>(expected, 0, limit) + 1));
    qsizetype got = 0;
    for (;;) {
        if (got == bytes.size()) {
            if (got > limit)
                return tooLarge(name, limit);
            bytes.resize(qsizetype(std::min<qint64>(qint64(got) * 2 + 4096, limit + 1)));
        }
        const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            // A pipe (standard input) that has nothing yet: wait for it.
            pollfd p{fd, POLLIN, 0};
            ::poll(&p, 1, -1);
            continue;
        }
        if (n < 0)
            return cannotRead(name, errno);
        if (n == 0)
            break;
        got += n;
    }
    if (got > limit)
        return tooLarge(name, limit);
    bytes.resize(got);
    return bytes;
}

// Reads an open descriptor that must be a regular file, from its start.
RegularFileRead readOpenFile(int fd, const QString& path, qint64 limit)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return cannotRead(path, errno);
    if (!S_ISREG(st.st_mode))
        return notRegular(path, st.st_mode);
    if (st.st_size > limit)
        return tooLarge(path, limit);
    if (::lseek(fd, 0, SEEK_SET) != 0)
        return cannotRead(path, errno);
    return readToEnd(fd, path, limit, st.st_size);
}

// Empty when path may be replaced: nothing there yet, or a regular file that
// is not a link. Fills old with what is there (st_nlink 0 when nothing).
QString refusedTarget(const QByteArray& name, const QString& path, struct stat& old)
{
    old = {};
    if (::lstat(name.constData(), &old) != 0) {
        old = {};
        if (errno == ENOENT)
            return {};
        return QStringLiteral("'%1' cannot be written: %2").arg(path, errnoText(errno));
    }
    if (!S_ISREG(old.st_mode))
        return QStringLiteral("'%1' is %2, not a regular file; nothing was written.").arg(path, kindOf(old.st_mode));
    return {};
}

bool writeAll(int fd, const QByteArray& bytes)
{
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0) {
            errno = EIO;
            return false;
        }
        done += n;
    }
    return true;
}

void closeQuietly(int fd)
{
    if (fd >= 0)
        ::close(fd);
}

} // namespace

RegularFileRead readRegularFile(const QString& path, qint64 limit)
{
    const QByteArray name = QFile::encodeName(path);
    // Look before opening: opening a device can itself do something (a tape
    // rewinds, a terminal becomes ours), so only what is a regular file now
    // is opened. The check on the opened descriptor settles a swap between.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        return cannotRead(path, errno);
    if (!S_ISREG(st.st_mode))
        return notRegular(path, st.st_mode);
    const int fd = openForReading(name);
    if (fd < 0)
        return cannotRead(path, errno);
    RegularFileRead read = readOpenFile(fd, path, limit);
    ::close(fd);
    return read;
}

RegularFileRead readDescriptor(int fd, const QString& name, qint64 limit)
{
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return cannotRead(name, errno);
    if (S_ISDIR(st.st_mode))
        return notRegular(name, st.st_mode);
    return readToEnd(fd, name, limit, S_ISREG(st.st_mode) ? st.st_size : 0);
}

namespace {

// writeRegularFile's work: empty when the file was replaced, otherwise why not.
QString replaceFile(const QString& path, const QByteArray& bytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat old {};
    if (QString refused = refusedTarget(name, path, old); !refused.isEmpty())
        return refused;
    const bool replacing = old.st_nlink != 0;

    const QFileInfo target(path);
    const QString fileName = target.fileName();
    if (fileName.isEmpty())
        return QStringLiteral("'%1' names a folder, not a file; nothing was written.").arg(path);
    // The folder is held open: the new file is made, renamed and flushed in
    // this folder, whatever happens to the folder's name meanwhile.
    const QString folder = target.path();
    int dirFd;
    do
        dirFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (dirFd < 0 && errno == EINTR);
    if (dirFd < 0)
        return QStringLiteral("'%1' cannot be written: the folder %2: %3")
            .arg(path, QDir::toNativeSeparators(folder), errnoText(errno));

    // Created afresh with O_EXCL under a name nobody else uses: the new file
    // is never a link or anything that was there before. A replaced file's
    // permissions are given once the owner is settled (a change of owner
    // clears some mode bits).
    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = QFile::encodeName(QStringLiteral(".%1.%2").arg(fileName).arg(
            QRandomGenerator::global()->generate() & 0xFFFFFF, 6, 16, QLatin1Char('0')));
        fd = ::openat(dirFd, tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      replacing ? 0600 : 0666);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            break;
    }
    if (fd < 0) {
        const QString why = errnoText(errno);
        ::close(dirFd);
        return QStringLiteral("'%1' cannot be written: %2").arg(path, why);
    }

    const auto failed = [&](int error) {
        closeQuietly(fd);
        ::unlinkat(dirFd, tempName.constData(), 0);
        ::close(dirFd);
        return QStringLiteral("Writing '%1' failed: %2. %3")
            .arg(path, errnoText(error),
                 replacing ? QStringLiteral("The old file is unchanged.") : QStringLiteral("No file was made."));
    };
    if (!writeAll(fd, bytes))
        return failed(errno);
    if (replacing) {
        // Root can keep the owner; anyone else keeps what the system lets
        // them (perhaps the group), and the file is then theirs.
        if (::fchown(fd, old.st_uid, old.st_gid) != 0)
            if (::fchown(fd, uid_t(-1), old.st_gid) != 0) {} // then the group is the writer's too
        if (::fchmod(fd, old.st_mode & 0777) != 0)
            return failed(errno);
    }
    if (::fsync(fd) != 0)
        return failed(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return failed(errno);

    // Looked at again just before the rename; rename() itself replaces the
    // name and never writes through whatever it named.
    struct stat now {};
    if (QString refused = refusedTarget(name, path, now); !refused.isEmpty()) {
        ::unlinkat(dirFd, tempName.constData(), 0);
        ::close(dirFd);
        return refused;
    }
    if (::renameat(dirFd, tempName.constData(), dirFd, QFile::encodeName(fileName).constData()) != 0)
        return failed(errno);
    // The rename itself reaches the disk only with the folder. Some file
    // systems cannot flush a folder (EINVAL); the rename is then as durable
    // as they make it.
    if (::fsync(dirFd) != 0 && errno != EINVAL && errno != EROFS) {
        const QString why = errnoText(errno);
        ::close(dirFd);
        return QStringLiteral("'%1' was replaced, but its folder could not be flushed to disk: %2").arg(path, why);
    }
    ::close(dirFd);
    return {};
}

} // namespace

Result<void> writeRegularFile(const QString& path, const QByteArray& bytes)
{
    if (QString why = replaceFile(path, bytes); !why.isEmpty())
        return Failure(std::move(why));
    return {};
}

RegularFileLocks::~RegularFileLocks()
{
    release();
}

void RegularFileLocks::release()
{
    for (int fd : std::as_const(m_owned))
        ::close(fd); // releases the lock
    m_owned.clear();
    m_fds.clear();
    m_paths.clear();
}

Result<void> RegularFileLocks::lock(const QStringList& paths)
{
    release();
    // Each try opens every file, locks them in the order of their identity
    // (device, inode) and then checks that each path still names the file
    // locked: one replaced meanwhile by another writer's rename was locked
    // under its old content, so everything is let go and tried again.
    for (int attempt = 0; attempt < 10000; ++attempt) {
        struct Held
        {
            int fd;
            dev_t dev;
            ino_t ino;
        };
        QList<Held> held;
        const auto giveUp = [&](const QString& why) -> Result<void> {
            for (const Held& h : std::as_const(held))
                ::close(h.fd);
            return Failure(why);
        };
        for (const QString& path : paths) {
            const QByteArray name = QFile::encodeName(path);
            struct stat st {};
            if (::stat(name.constData(), &st) != 0)
                return giveUp(cannotRead(path, errno).error().message);
            if (!S_ISREG(st.st_mode))
                return giveUp(notRegular(path, st.st_mode).error().message);
            const int fd = openForReading(name);
            if (fd < 0)
                return giveUp(cannotRead(path, errno).error().message);
            if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
                ::close(fd);
                return giveUp(notRegular(path, st.st_mode).error().message);
            }
            held.append({fd, st.st_dev, st.st_ino});
        }

        QList<qsizetype> order(held.size());
        for (qsizetype i = 0; i < order.size(); ++i)
            order[i] = i;
        std::sort(order.begin(), order.end(), [&](qsizetype a, qsizetype b) {
            return std::tie(held[a].dev, held[a].ino) < std::tie(held[b].dev, held[b].ino);
        });
        QList<int> fds(held.size(), -1);
        QList<int> owned;
        for (qsizetype k = 0; k < order.size(); ++k) {
            const Held& h = held[order[k]];
            if (k > 0 && held[order[k - 1]].dev == h.dev && held[order[k - 1]].ino == h.ino) {
                // The same file under another name: one lock serves both.
                fds[order[k]] = fds[order[k - 1]];
                continue;
            }
            int r;
            do
                r = ::flock(h.fd, LOCK_EX);
            while (r != 0 && errno == EINTR);
            if (r != 0)
                return giveUp(QStringLiteral("'%1' cannot be locked: %2").arg(paths.at(order[k]), errnoText(errno)));
            fds[order[k]] = h.fd;
            owned.append(h.fd);
        }

        bool same = true;
        for (qsizetype i = 0; i < held.size() && same; ++i) {
            struct stat st {};
            same = ::stat(QFile::encodeName(paths.at(i)).constData(), &st) == 0 && st.st_dev == held[i].dev
                && st.st_ino == held[i].ino;
        }
        if (!same) {
            (void)giveUp(QString());
            continue;
        }
        // Descriptors of names that shared a lock are closed; the lock
        // stays with the one kept.
        for (const Held& h : std::as_const(held))
            if (!owned.contains(h.fd))
                ::close(h.fd);
        m_paths = paths;
        m_fds = fds;
        m_owned = owned;
        return {};
    }
    return Failure(QStringLiteral("the files kept being replaced while they were being locked"));
}

RegularFileRead RegularFileLocks::read(qsizetype index, qint64 limit) const
{
    return readOpenFile(m_fds.at(index), m_paths.at(index), limit);
}

void claimStandardDescriptors()
{
    for (int fd = 0; fd <= 2; ++fd) {
        if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF)
            continue;
        // The lowest free descriptor is this one.
        const int opened = ::open("/dev/null", O_RDONLY);
        if (opened >= 0 && opened != fd) {
            ::dup2(opened, fd);
            ::close(opened);
        }
    }
}

Result<void> closeStandardStreams()
{
    // errno says why when the failing call was this flush; an earlier
    // failed write leaves only the stream's error mark.
    const auto lost = [](const char* stream) {
        const int error = errno;
        return error != 0 ? QStringLiteral("cannot write to %1: %2").arg(QLatin1String(stream), errnoText(error))
                          : QStringLiteral("cannot write to %1").arg(QLatin1String(stream));
    };
    QString error;
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout))
        error = lost("standard output");
    errno = 0;
    if (std::fclose(stdout) != 0 && error.isEmpty())
        error = lost("standard output");
    errno = 0;
    if ((std::fflush(stderr) != 0 || std::ferror(stderr)) && error.isEmpty())
        error = lost("standard error");
    if (!error.isEmpty())
        return Failure(std::move(error));
    return {};
}
