// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "host/app/UnitState.h"

#include "core/Result.h"

#include <QByteArray>
#include <QString>

// Raw binary files holding one configuration array: exactly 40 bytes (QoS) or
// 82 bytes (VLAN), nothing else.

// Reads a file that must hold exactly the array's size. A file of any other
// size, anything but a regular file (a folder, pipe or device) or an
// unreadable file is refused with a message naming the file; the caller then
// keeps its array as it was. At most one byte beyond the size is read, so a
// huge file costs nothing, and a pipe never blocks.
Result<QByteArray> loadArrayFile(const QString& path, ArrayKind kind);

// Writes the array to a temporary file beside the target and renames it over
// the target, so a failed save leaves any old file intact. An array of the
// wrong size, and a target that is not a regular file (a symbolic link, a
// folder, a pipe, a device), are refused before anything is touched, with
// the message to show.
Result<void> saveArrayFile(const QString& path, const QByteArray& bytes, ArrayKind kind);
