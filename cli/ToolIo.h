// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/FieldCatalogue.h"
#include "core/RegularFile.h"
#include "core/Result.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Files of the odu-switch tool, through the core's file layer
// (core/RegularFile.h): only regular files are read, each up to the size
// its kind may have, and written whole or not at all. "-" is standard input
// or standard output.

// "QoS" or "VLAN".
QString kindName(ArrayKind kind);

// Writes text to standard output (a loss is reported at the end, by
// runTool). Messages go to standard error through printToolMessage.
void toolOut(const QString& text);

// The whole content of a file of at most limit bytes, or why not.
Result<QByteArray> readInput(const QString& path, qint64 limit);

struct LoadedArray
{
    QString path;
    ArrayKind kind = ArrayKind::Qos;
    QByteArray bytes;
};

// The most bytes an array file may have (a VLAN array).
qint64 arrayFileLimit();

// A configuration array from a file: its kind from its size (40 QoS, 82
// VLAN), or only `expected` when given. A file that cannot be read or has
// another size fails, naming the file and the sizes accepted.
Result<LoadedArray> loadArray(const QString& path, std::optional<ArrayKind> expected);
// The same for a file as read (one larger than arrayFileLimit() is not read
// but still an array of the wrong size).
Result<LoadedArray> arrayFromContent(const QString& path, const RegularFileRead& read,
                                     std::optional<ArrayKind> expected);

// Replaces a file's content at once (writeRegularFile), or writes to
// standard output. On failure the file is as it was.
Result<void> writeOutput(const QString& path, const QByteArray& bytes);
