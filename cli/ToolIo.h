// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/FieldCatalogue.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Files of the odu-switch tool, through the core's file layer
// (core/RegularFile.h): only regular files are read, each up to the size
// its kind may have, and written whole or not at all. "-" is standard input
// or standard output.

// "QoS" or "VLAN".
QString kindName(ArrayKind kind);

// Prints a message to standard error, prefixed by the program's name.
void toolError(const QString& message);
// Writes text to standard output (errors show at the end, in
// closeStandardStreams).
void toolOut(const QString& text);

// The whole content of a file of at most limit bytes, or nullopt after
// reporting why not.
std::optional<QByteArray> readInput(const QString& path, qint64 limit);

struct LoadedArray
{
    QString path;
    ArrayKind kind = ArrayKind::Qos;
    QByteArray bytes;
};

// The most bytes an array file may have (a VLAN array).
qint64 arrayFileLimit();

// A configuration array from a file: its kind from its size (40 QoS, 82
// VLAN), or only `expected` when given. nullopt after reporting a file that
// cannot be read or has another size, naming the file and the sizes accepted.
std::optional<LoadedArray> loadArray(const QString& path, std::optional<ArrayKind> expected);
// The same for content already read; tooLarge: it had more than
// arrayFileLimit() bytes.
std::optional<LoadedArray> arrayFromContent(const QString& path, const QByteArray& content, bool tooLarge,
                                            std::optional<ArrayKind> expected);

// Replaces a file's content at once (writeRegularFile), or writes to
// standard output; false after reporting a failure, in which case the file
// is as it was.
bool writeOutput(const QString& path, const QByteArray& bytes);
