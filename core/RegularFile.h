// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/Result.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// Reading and replacing the files that a user or a script names: arrays,
// catalogues, JSON and pictures, for the odu-switch tool, the translator kit
// and the demo host alike. The path may lead to something other than a plain
// file: a pipe that never delivers, a device that never ends (/dev/zero) or
// must never become a file (/dev/null), a folder, or a symbolic link planted
// to make a write land elsewhere. Only regular files are read or replaced,
// and nothing here waits on anything but the disk (and, in RegularFileLocks,
// on the other holders of a lock).

enum class RegularFileStatus {
    Read,       // read whole
    Missing,    // nothing at the path (or a folder on the way is missing)
    NotRegular, // a folder, device, pipe or socket: never opened for reading
    TooLarge,   // more bytes than the caller's limit: not read
    Unreadable, // cannot be opened or read (permissions, an I/O error)
};

// Why a file was not read or written.
struct FileProblem
{
    RegularFileStatus status = RegularFileStatus::Unreadable; // never Read
    QString message; // for a person, naming the file
};

// The whole content of a file, or why it was not read.
using RegularFileRead = Result<QByteArray, FileProblem>;

// Reads a regular file (a link to one is fine) of at most limit bytes. It is
// opened without waiting, its type is checked on the opened descriptor
// before a byte is read, and never more than limit + 1 bytes are read or
// allocated: a device, a huge or sparse file, or one that grows while it is
// read costs nothing. A name holding U+FFFD (bytes that were not UTF-8 on
// the command line) is refused: it would name another file.
RegularFileRead readRegularFile(const QString& path, qint64 limit);

// Reads what an open descriptor delivers until its end, at most limit bytes
// (standard input: waits for its writer as any reader of a pipe does). name
// stands for it in messages.
RegularFileRead readDescriptor(int fd, const QString& name, qint64 limit);

// Replaces the whole content of path, or creates it: the bytes go into a new
// file in the same folder (made without a name where the file system
// allows, so that a killed program leaves nothing behind), every write and
// the close are checked, the file is flushed to disk, renamed over the
// path, and the folder is flushed too. So on any failure (a full disk, a
// quota, an I/O error) the old file is left as it was and no temporary file
// remains. The path must name nothing yet or a regular file that is not a
// symbolic link and has no other hard link; a link (even to a regular
// file), a file of several names, a folder, pipe, device or socket is
// refused and left alone, and so is a name that is not UTF-8 (it reaches
// this function with U+FFFD in place of its bytes).
// The new file keeps what the old one had: its permissions (set-user-ID,
// set-group-ID and sticky bits included), its extended attributes and ACL
// and, where the process may give them away (as root), its owner and
// group. When any of that cannot be given to the new file, the old one is
// not replaced and the message says what could not be kept. A new file
// gets 0666 less the umask (or the folder's default ACL). On failure, the
// message to show names the file.
Result<void> writeRegularFile(const QString& path, const QByteArray& bytes);

// Why a replacement under a lock failed, and whether the path already
// names the new content (the folder could not be flushed after the rename).
struct WriteProblem
{
    QString message;
    bool replaced = false;
};

// Exclusive advisory locks (flock) held around a read-modify-write of
// regular files, so that programs doing the same (every odu-switch set does)
// take turns instead of losing each other's changes. The files are locked in
// one order whatever the order of the paths, so two programs locking the
// same files never wait for each other for ever; a file replaced while this
// one waited is locked again under its new content. Released on destruction.
// A name that is not UTF-8 is refused as readRegularFile refuses it.
class RegularFileLocks
{
public:
    RegularFileLocks() = default;
    ~RegularFileLocks();
    RegularFileLocks(const RegularFileLocks&) = delete;
    RegularFileLocks& operator=(const RegularFileLocks&) = delete;

    // Locks every path (each must be a regular file), waiting for other
    // holders. On failure nothing is held.
    Result<void> lock(const QStringList& paths);
    // The content of paths[index] as it is under the lock, read as
    // readRegularFile reads.
    RegularFileRead read(qsizetype index, qint64 limit) const;
    // Replaces paths[index] as writeRegularFile does; the new file is locked
    // before it takes the name and stays locked (with the one it replaced)
    // until release(), so that a program waiting for the file gets it only
    // when this one is done, restores included.
    Result<void, WriteProblem> replace(qsizetype index, const QByteArray& bytes);
    void release();

private:
    QStringList m_paths;
    QList<int> m_fds;   // one per path; a file named twice shares one
    QList<int> m_owned; // the distinct descriptors, each closed once
};

// Makes sure descriptors 0, 1 and 2 are open before any file is opened. A
// program started with one of them closed would otherwise write its output
// into the first file it opens; a closed one is taken by /dev/null opened
// for reading only, so that reading it finds nothing and writing to it
// fails (and is reported by closeStandardStreams).
void claimStandardDescriptors();

// Flushes standard output and standard error and closes standard output, at
// the end of a program. Fails when something written did not reach them (a
// full disk, a closed descriptor), for the program to report and exit with
// failure.
Result<void> closeStandardStreams();
