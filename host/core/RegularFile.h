// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QString>

// Reading and writing the demo host's files, where the user (or whoever
// prepared the folder) may have put something other than a plain file: a
// pipe that would block for ever, a device node (/dev/zero never ends,
// /dev/full must not become a file), a folder, or a symbolic link planted to
// make a write land somewhere else. Only regular files are read or written.

struct RegularFileRead
{
    QByteArray bytes; // at most limit + 1 bytes, when error is empty
    QString error;    // why nothing was read, naming the file
    bool ok() const { return error.isEmpty(); }
};

// Reads at most limit + 1 bytes of a regular file (a link to one is fine),
// so the caller can tell a file longer than it wants. Never blocks: a pipe or
// device is refused before any byte is read.
RegularFileRead readRegularFile(const QString& path, qint64 limit);

// Writes bytes as the whole content of path: into a new file beside it that
// is then renamed over it, so a failed write leaves any old file intact. The
// target must be absent or a regular file; a symbolic link (even to a regular
// file), a folder, a pipe or a device is refused and left as it is. Returns an
// empty string on success, otherwise the message to show.
QString writeRegularFile(const QString& path, const QByteArray& bytes);
