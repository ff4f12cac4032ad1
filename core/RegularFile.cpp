// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/RegularFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <optional>
#include <tuple>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
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

// Empty when the path's name can be given to the system exactly as the
// user gave it. A name read from the command line holds U+FFFD where its
// bytes were not UTF-8: opening it would open another file (or make one
// with another name), so it is refused.
QString unnamable(const QString& path, const char* what)
{
    const bool replaced = path.contains(QChar::ReplacementCharacter);
    if (!replaced && QFile::decodeName(QFile::encodeName(path)) == path)
        return {};
    return QStringLiteral("'%1' cannot be %2: its name holds bytes that are not UTF-8 (shown as %3), so it "
                          "would be taken for another name; nothing was %2. Use a name in UTF-8.")
        .arg(path, QLatin1String(what), replaced ? QStringLiteral("U+FFFD") : QStringLiteral("half a character"));
}

// Empty when path may be replaced: nothing there yet, or a regular file that
// is not a link and has no other name. Fills old with what is there
// (st_nlink 0 when nothing).
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
    // A new file under this name would part it from its other names (they
    // would keep the old content), and writing the content in place could
    // leave it half written: neither is done behind the user's back.
    if (old.st_nlink > 1)
        return QStringLiteral("'%1' has %2 hard links; replacing it would part this name from the others, "
                              "so nothing was written. Write to another file and copy it over this one (cp "
                              "writes in place, so every name sees it) if every name should change.")
            .arg(path).arg(old.st_nlink);
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
    if (QString bad = unnamable(path, "read"); !bad.isEmpty())
        return failedRead(RegularFileStatus::Unreadable, bad);
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

// The names of a file's extended attributes (ACLs among them: an ACL is the
// attribute system.posix_acl_access), or an error number.
struct AttributeNames
{
    QList<QByteArray> names;
    int error = 0;
};

AttributeNames attributeNames(int fd, const QByteArray& path)
{
    AttributeNames result;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = fd >= 0 ? ::flistxattr(fd, nullptr, 0) : ::llistxattr(path.constData(), nullptr, 0);
        if (size < 0) {
            // A file system without extended attributes has none to keep.
            if (errno != ENOTSUP)
                result.error = errno;
            return result;
        }
        QByteArray list(qsizetype(size), '\0');
        const ssize_t got = fd >= 0 ? ::flistxattr(fd, list.data(), size_t(list.size()))
                                    : ::llistxattr(path.constData(), list.data(), size_t(list.size()));
        if (got < 0 && errno == ERANGE)
            continue; // one was added meanwhile
        if (got < 0) {
            result.error = errno;
            return result;
        }
        list.truncate(qsizetype(got));
        for (const QByteArray& name : list.split('\0'))
            if (!name.isEmpty())
                result.names.append(name);
        return result;
    }
    result.error = ERANGE;
    return result;
}

// One attribute's value; nullopt with errno set when it cannot be read.
std::optional<QByteArray> attributeValue(int fd, const QByteArray& path, const QByteArray& name)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        const ssize_t size = fd >= 0 ? ::fgetxattr(fd, name.constData(), nullptr, 0)
                                     : ::lgetxattr(path.constData(), name.constData(), nullptr, 0);
        if (size < 0)
            return std::nullopt;
        QByteArray value(qsizetype(size), '\0');
        const ssize_t got = fd >= 0 ? ::fgetxattr(fd, name.constData(), value.data(), size_t(value.size()))
                                    : ::lgetxattr(path.constData(), name.constData(), value.data(), size_t(value.size()));
        if (got < 0 && errno == ERANGE)
            continue;
        if (got < 0)
            return std::nullopt;
        value.truncate(qsizetype(got));
        return value;
    }
    errno = ERANGE;
    return std::nullopt;
}

QString octal(mode_t mode)
{
    return QStringLiteral("%1").arg(uint(mode & 07777), 4, 8, QLatin1Char('0'));
}

// Gives the new file fd what the old file (oldName, as lstat saw it in old)
// has: owner and group where the process may give them, the permissions
// with their set-user-ID, set-group-ID and sticky bits, the extended
// attributes and the ACL. Empty when done, otherwise why not: the old file
// is then not replaced, because the new one would let other people in or
// shut some out.
QString copyMetadata(int fd, const QByteArray& oldName, const struct stat& old)
{
    // Root can keep the owner; anyone else keeps what the system lets
    // them (perhaps the group), and the file is then theirs.
    if (::fchown(fd, old.st_uid, old.st_gid) != 0)
        if (::fchown(fd, uid_t(-1), old.st_gid) != 0) {} // then the group is the writer's too

    const AttributeNames wanted = attributeNames(-1, oldName);
    if (wanted.error != 0)
        return QStringLiteral("its extended attributes cannot be read (%1)").arg(errnoText(wanted.error));
    // What the new file was born with and the old one lacks: an ACL
    // inherited from the folder's default ACL, for one.
    const AttributeNames born = attributeNames(fd, {});
    for (const QByteArray& name : born.names) {
        if (wanted.names.contains(name))
            continue;
        if (::fremovexattr(fd, name.constData()) != 0 && errno != ENODATA)
            return QStringLiteral("the new file gets the extended attribute %1 from its folder, which the old "
                                  "file does not have, and it cannot be taken off (%2)")
                .arg(QString::fromUtf8(name), errnoText(errno));
    }
    // The permissions after the owner (a change of owner clears the
    // set-user-ID and set-group-ID bits), the ACL after the permissions (it
    // sets the group bits to its mask).
    if (::fchmod(fd, old.st_mode & 07777) != 0)
        return QStringLiteral("its permissions %1 cannot be given to the new file (%2)")
            .arg(octal(old.st_mode), errnoText(errno));
    for (const QByteArray& name : wanted.names) {
        const std::optional<QByteArray> value = attributeValue(-1, oldName, name);
        if (!value) {
            if (errno == ENODATA)
                continue; // taken off meanwhile
            return QStringLiteral("its extended attribute %1 cannot be read (%2)")
                .arg(QString::fromUtf8(name), errnoText(errno));
        }
        if (attributeValue(fd, {}, name) == value)
            continue; // already so (a security label given by the system)
        if (::fsetxattr(fd, name.constData(), value->constData(), size_t(value->size()), 0) != 0)
            return QStringLiteral("its %1 %2 cannot be given to the new file (%3)")
                .arg(name.startsWith("system.posix_acl") ? QStringLiteral("access control list (ACL)")
                                                         : QStringLiteral("extended attribute"),
                     QString::fromUtf8(name), errnoText(errno));
    }

    struct stat now {};
    if (::fstat(fd, &now) != 0)
        return QStringLiteral("the new file cannot be examined (%1)").arg(errnoText(errno));
    if ((now.st_mode & 07777) != (old.st_mode & 07777))
        return QStringLiteral("the new file would have the permissions %1 instead of %2 (only the owner or "
                              "root keeps the set-user-ID and set-group-ID bits)")
            .arg(octal(now.st_mode), octal(old.st_mode));
    if ((old.st_mode & (S_ISUID | S_ISGID)) != 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid))
        return QStringLiteral("it is set-user-ID or set-group-ID, and only root can write it keeping its owner "
                              "and group");
    return {};
}

// Whether an unnamed file (O_TMPFILE) can later be given a name through
// /proc (linkat of /proc/self/fd/N needs no privilege, unlike AT_EMPTY_PATH).
bool canNameUnnamedFiles()
{
    static const bool procMounted = ::access("/proc/self/fd", X_OK) == 0;
    return procMounted;
}

QByteArray descriptorPath(int fd)
{
    return QByteArray("/proc/self/fd/") + QByteArray::number(fd);
}

// A name for a file next to fileName that nobody uses yet: a dot, as much
// of fileName as fits within NAME_MAX, a dot and six random digits.
QByteArray temporaryName(const QByteArray& fileName)
{
    constexpr qsizetype kNameMax = 255;
    constexpr qsizetype kAround = 8; // ".", "." and six digits
    return '.' + fileName.left(kNameMax - kAround) + '.'
        + QByteArray::number(QRandomGenerator::global()->generate() & 0xFFFFFF, 16).rightJustified(6, '0');
}

// The outcome of a replacement: failed or not, and whether the path names
// the new content all the same; on success with keepLocked, an open
// descriptor of the new file holding an exclusive lock taken before the
// file got its name.
struct Replacement
{
    QString error;
    bool replaced = false;
    int lockedFd = -1;
};

// After the rename: the rename itself reaches the disk only with the
// folder. Some file systems cannot flush a folder (EINVAL); the rename is
// then as durable as they make it.
Replacement finishReplacement(const QString& path, int dirFd, int held, bool keepLocked)
{
    Replacement done;
    done.replaced = true;
    if (::fsync(dirFd) != 0 && errno != EINVAL && errno != EROFS)
        done.error = QStringLiteral("'%1' was replaced, but its folder could not be flushed to disk: %2; "
                                    "the new content may be lost if the system stops now")
                         .arg(path, errnoText(errno));
    ::close(dirFd);
    if (keepLocked)
        done.lockedFd = held;
    else
        ::close(held);
    return done;
}

// writeRegularFile's work.
Replacement replaceFile(const QString& path, const QByteArray& bytes, bool keepLocked)
{
    const auto refusal = [](QString why) { return Replacement{std::move(why), false, -1}; };
    if (QString bad = unnamable(path, "written"); !bad.isEmpty())
        return refusal(bad);
    const QByteArray name = QFile::encodeName(path);
    struct stat old {};
    if (QString refused = refusedTarget(name, path, old); !refused.isEmpty())
        return refusal(refused);
    const bool replacing = old.st_nlink != 0;

    const QFileInfo target(path);
    const QByteArray fileName = QFile::encodeName(target.fileName());
    if (fileName.isEmpty())
        return refusal(QStringLiteral("'%1' names a folder, not a file; nothing was written.").arg(path));
    // The folder is held open: the new file is made, renamed and flushed in
    // this folder, whatever happens to the folder's name meanwhile.
    const QString folder = target.path();
    int dirFd;
    do
        dirFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    while (dirFd < 0 && errno == EINTR);
    if (dirFd < 0)
        return refusal(QStringLiteral("'%1' cannot be written: the folder %2: %3")
                           .arg(path, QDir::toNativeSeparators(folder), errnoText(errno)));

    // The new file is made without a name where the file system can
    // (O_TMPFILE): a program killed before the end leaves nothing behind.
    // Elsewhere it is created afresh with O_EXCL under a name nobody else
    // uses, so it is never a link or anything that was there before. A
    // replaced file's permissions are given once the owner is settled.
    const mode_t createMode = replacing ? 0600 : 0666;
    QByteArray tempName; // empty while the new file has no name
    int fd = -1;
    if (canNameUnnamedFiles()) {
        do
            fd = ::openat(dirFd, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, createMode);
        while (fd < 0 && errno == EINTR);
    }
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = temporaryName(fileName);
        fd = ::openat(dirFd, tempName.constData(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, createMode);
        if (fd < 0 && errno != EEXIST && errno != EINTR)
            break;
    }
    if (fd < 0) {
        const QString why = errnoText(errno);
        ::close(dirFd);
        return refusal(QStringLiteral("'%1' cannot be written: %2").arg(path, why));
    }

    int held = -1; // the new file, open after the checked close
    const auto unlinkTemporary = [&] {
        if (!tempName.isEmpty())
            ::unlinkat(dirFd, tempName.constData(), 0);
    };
    const auto failed = [&](int error) {
        closeQuietly(fd);
        closeQuietly(held);
        unlinkTemporary();
        ::close(dirFd);
        return refusal(QStringLiteral("Writing '%1' failed: %2. %3")
                           .arg(path, errnoText(error),
                                replacing ? QStringLiteral("The old file is unchanged.")
                                          : QStringLiteral("No file was made.")));
    };
    if (!writeAll(fd, bytes))
        return failed(errno);
    if (replacing) {
        if (const QString kept = copyMetadata(fd, name, old); !kept.isEmpty()) {
            closeQuietly(fd);
            unlinkTemporary();
            ::close(dirFd);
            return refusal(QStringLiteral("'%1' was not replaced: %2. The old file is unchanged.").arg(path, kept));
        }
    }
    if (::fsync(fd) != 0)
        return failed(errno);
    // Locked before it has a name (or a name anyone looks for): a program
    // that waits for the old file's lock finds the new one taken.
    if (keepLocked && ::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return failed(errno);
    held = ::fcntl(fd, F_DUPFD_CLOEXEC, 3);
    if (held < 0)
        return failed(errno);
    const int closed = ::close(fd);
    fd = -1;
    if (closed != 0)
        return failed(errno);

    // Looked at again just before the rename; rename() itself replaces the
    // name and never writes through whatever it named.
    struct stat now {};
    if (QString refused = refusedTarget(name, path, now); !refused.isEmpty()) {
        closeQuietly(held);
        unlinkTemporary();
        ::close(dirFd);
        return refusal(refused);
    }
    if (tempName.isEmpty()) {
        const QByteArray unnamed = descriptorPath(held);
        // A new file takes its name at once; one that replaces another is
        // named for the moment of the rename.
        if (!replacing
            && ::linkat(AT_FDCWD, unnamed.constData(), dirFd, fileName.constData(), AT_SYMLINK_FOLLOW) == 0) {
            return finishReplacement(path, dirFd, held, keepLocked);
        }
        if (!replacing && errno != EEXIST)
            return failed(errno);
        int linked = -1;
        for (int attempt = 0; attempt < 100 && linked != 0; ++attempt) {
            tempName = temporaryName(fileName);
            linked = ::linkat(AT_FDCWD, unnamed.constData(), dirFd, tempName.constData(), AT_SYMLINK_FOLLOW);
            if (linked != 0 && errno != EEXIST) {
                tempName.clear();
                return failed(errno);
            }
        }
        if (linked != 0) {
            tempName.clear();
            return failed(errno);
        }
    }
    if (::renameat(dirFd, tempName.constData(), dirFd, fileName.constData()) != 0)
        return failed(errno);
    return finishReplacement(path, dirFd, held, keepLocked);
}

} // namespace

Result<void> writeRegularFile(const QString& path, const QByteArray& bytes)
{
    Replacement done = replaceFile(path, bytes, false);
    if (!done.error.isEmpty())
        return Failure(std::move(done.error));
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
            if (QString bad = unnamable(path, "read"); !bad.isEmpty())
                return giveUp(bad);
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

Result<void, WriteProblem> RegularFileLocks::replace(qsizetype index, const QByteArray& bytes)
{
    Replacement done = replaceFile(m_paths.at(index), bytes, true);
    if (done.lockedFd >= 0) {
        // Every name of the file locked now names the new one; the old
        // file's lock is kept as well until release(), so a program that
        // waited for it looks again and finds the new one locked.
        const int was = m_fds.at(index);
        for (int& fd : m_fds)
            if (fd == was)
                fd = done.lockedFd;
        m_owned.append(done.lockedFd);
    }
    if (!done.error.isEmpty())
        return Failure(WriteProblem{std::move(done.error), done.replaced});
    return {};
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
