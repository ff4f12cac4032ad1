// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "cli/ToolIo.h"

#include <QFile>
#include <QSaveFile>

#include <cstdio>

QString kindName(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? QStringLiteral("QoS") : QStringLiteral("VLAN");
}

void toolError(const QString& message)
{
    const QByteArray text = QStringLiteral("odu-switch: %1\n").arg(message).toLocal8Bit();
    std::fwrite(text.constData(), 1, std::size_t(text.size()), stderr);
}

void toolOut(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout);
}

std::optional<QByteArray> readInput(const QString& path)
{
    QFile file;
    const bool opened = path == QLatin1String("-") ? file.open(stdin, QIODevice::ReadOnly)
                                                   : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        toolError(QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    QByteArray content = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        toolError(QStringLiteral("%1: cannot read: %2").arg(path, file.errorString()));
        return std::nullopt;
    }
    return content;
}

std::optional<LoadedArray> loadArray(const QString& path, std::optional<ArrayKind> expected)
{
    const std::optional<QByteArray> content = readInput(path);
    if (!content)
        return std::nullopt;
    const std::optional<ArrayKind> kind = arrayKindForSize(content->size());
    if (!kind || (expected && *kind != *expected)) {
        const QString accepted = expected
            ? QStringLiteral("a %1 array has %2 bytes").arg(kindName(*expected)).arg(arrayBytes(*expected))
            : QStringLiteral("a configuration array has %1 bytes (QoS) or %2 bytes (VLAN)")
                  .arg(arrayBytes(ArrayKind::Qos)).arg(arrayBytes(ArrayKind::Vlan));
        toolError(QStringLiteral("%1: %2 bytes; %3").arg(path).arg(content->size()).arg(accepted));
        return std::nullopt;
    }
    return LoadedArray{path, *kind, *content};
}

bool writeOutput(const QString& path, const QByteArray& bytes)
{
    if (path == QLatin1String("-")) {
        if (std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stdout) != std::size_t(bytes.size())
            || std::fflush(stdout) != 0) {
            toolError(QStringLiteral("cannot write to standard output"));
            return false;
        }
        return true;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        toolError(QStringLiteral("%1: cannot write: %2").arg(path, file.errorString()));
        return false;
    }
    return true;
}
