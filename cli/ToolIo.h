// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/FieldCatalogue.h"

#include <QByteArray>
#include <QString>

#include <optional>

// Files of the odu-switch tool. "-" is standard input or standard output.

// "QoS" or "VLAN".
QString kindName(ArrayKind kind);

// Prints a message to standard error, prefixed by the program's name.
void toolError(const QString& message);
// Writes text to standard output.
void toolOut(const QString& text);

// The whole content of a file, or nullopt after reporting why not.
std::optional<QByteArray> readInput(const QString& path);

struct LoadedArray
{
    QString path;
    ArrayKind kind = ArrayKind::Qos;
    QByteArray bytes;
};

// A configuration array from a file: its kind from its size (40 QoS, 82
// VLAN), or only `expected` when given. nullopt after reporting a file that
// cannot be read or has another size, naming the file and the sizes accepted.
std::optional<LoadedArray> loadArray(const QString& path, std::optional<ArrayKind> expected);

// Replaces a file's content at once (a file beside it is written and renamed
// over it), or writes to standard output; false after reporting a failure,
// in which case the file is as it was.
bool writeOutput(const QString& path, const QByteArray& bytes);
