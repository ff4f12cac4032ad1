// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "cli/ToolIo.h"

#include "core/RegularFile.h"

#include <algorithm>
#include <cstdio>

#include <unistd.h>

QString kindName(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? QStringLiteral("QoS") : QStringLiteral("VLAN");
}

void toolOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

Result<QByteArray> readInput(const QString& path, qint64 limit)
{
    RegularFileRead read = path == QLatin1String("-")
        ? readDescriptor(STDIN_FILENO, QStringLiteral("standard input"), limit)
        : readRegularFile(path, limit);
    if (!read)
        return Failure(read.error().message);
    return std::move(read).value();
}

qint64 arrayFileLimit()
{
    return std::max(arrayBytes(ArrayKind::Qos), arrayBytes(ArrayKind::Vlan));
}

Result<LoadedArray> arrayFromContent(const QString& path, const RegularFileRead& read,
                                     std::optional<ArrayKind> expected)
{
    if (!read && read.error().status != RegularFileStatus::TooLarge)
        return Failure(read.error().message);
    const bool tooLarge = !read;
    const QByteArray content = read.valueOr({});
    const std::optional<ArrayKind> kind = tooLarge ? std::nullopt : arrayKindForSize(content.size());
    if (!kind || (expected && *kind != *expected)) {
        const QString accepted = expected
            ? QStringLiteral("a %1 array has %2 bytes").arg(kindName(*expected)).arg(arrayBytes(*expected))
            : QStringLiteral("a configuration array has %1 bytes (QoS) or %2 bytes (VLAN)")
                  .arg(arrayBytes(ArrayKind::Qos)).arg(arrayBytes(ArrayKind::Vlan));
        const QString size = tooLarge ? QStringLiteral("more than %1").arg(arrayFileLimit())
                                      : QString::number(content.size());
        return Failure(QStringLiteral("%1: %2 bytes; %3").arg(path, size, accepted));
    }
    return LoadedArray{path, *kind, content};
}

Result<LoadedArray> loadArray(const QString& path, std::optional<ArrayKind> expected)
{
    const RegularFileRead read = path == QLatin1String("-")
        ? readDescriptor(STDIN_FILENO, QStringLiteral("standard input"), arrayFileLimit())
        : readRegularFile(path, arrayFileLimit());
    return arrayFromContent(path, read, expected);
}

Result<void> writeOutput(const QString& path, const QByteArray& bytes)
{
    if (path == QLatin1String("-")) {
        if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) != std::size_t(bytes.size())
            || std::fflush(stdout) != 0)
            return Failure(QStringLiteral("cannot write to standard output"));
        return {};
    }
    return writeRegularFile(path, bytes);
}
