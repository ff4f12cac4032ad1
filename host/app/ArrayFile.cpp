// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/ArrayFile.h"

#include "core/RegularFile.h"

ArrayFileLoad loadArrayFile(const QString& path, ArrayKind kind)
{
    const int size = arrayBytes(kind);
    ArrayFileLoad load;
    const RegularFileRead read = readRegularFile(path, size);
    if (!read.ok() && read.status != RegularFileStatus::TooLarge) {
        load.error = read.error;
        return load;
    }
    const QByteArray& bytes = read.bytes;
    if (!read.ok() || bytes.size() != size) {
        const QString held = !read.ok()
            ? QStringLiteral("more than %1 bytes").arg(size)
            : bytes.size() == 1 ? QStringLiteral("1 byte")
                                : QStringLiteral("%1 bytes").arg(bytes.size());
        load.error = QStringLiteral("'%1' holds %2; a %3 array file holds exactly %4 bytes. "
                                    "Nothing was loaded.")
                         .arg(path, held, arrayName(kind))
                         .arg(size);
        return load;
    }
    load.bytes = bytes;
    return load;
}

QString saveArrayFile(const QString& path, const QByteArray& bytes, ArrayKind kind)
{
    const int size = arrayBytes(kind);
    if (bytes.size() != size)
        return QStringLiteral("A %1 array has %2 bytes, not %3; '%4' was not written.")
            .arg(arrayName(kind))
            .arg(size)
            .arg(bytes.size())
            .arg(path);
    return writeRegularFile(path, bytes);
}
