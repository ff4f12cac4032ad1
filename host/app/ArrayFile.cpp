// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/ArrayFile.h"

#include "core/RegularFile.h"

Result<QByteArray> loadArrayFile(const QString& path, ArrayKind kind)
{
    const int size = arrayBytes(kind);
    RegularFileRead read = readRegularFile(path, size);
    if (!read && read.error().status != RegularFileStatus::TooLarge)
        return Failure(read.error().message);
    const QByteArray bytes = read.valueOr({});
    if (!read.ok() || bytes.size() != size) {
        const QString held = !read.ok()
            ? QStringLiteral("more than %1 bytes").arg(size)
            : bytes.size() == 1 ? QStringLiteral("1 byte")
                                : QStringLiteral("%1 bytes").arg(bytes.size());
        return Failure(QStringLiteral("'%1' holds %2; a %3 array file holds exactly %4 bytes. "
                                      "Nothing was loaded.")
                           .arg(path, held, arrayName(kind))
                           .arg(size));
    }
    return bytes;
}

Result<void> saveArrayFile(const QString& path, const QByteArray& bytes, ArrayKind kind)
{
    const int size = arrayBytes(kind);
    if (bytes.size() != size)
        return Failure(QStringLiteral("A %1 array has %2 bytes, not %3; '%4' was not written.")
                           .arg(arrayName(kind))
                           .arg(size)
                           .arg(bytes.size())
                           .arg(path));
    return writeRegularFile(path, bytes);
}
