// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// The array as hexadecimal bytes, with the bytes that a dialog changed marked.

// Offsets at which the two arrays differ (a byte present in only one of them
// counts as changed).
QList<int> changedOffsets(const QByteArray& before, const QByteArray& after);

// "00 00 1B 03 ..." : every byte as two upper-case hex digits, blank-separated.
QString hexBytes(const QByteArray& bytes);

// Rich text for a read-only text view: rows of 16 bytes, each row led by its
// decimal offset; every byte that differs from `reference` is highlighted.
// With an empty reference nothing is highlighted.
QString hexDumpHtml(const QByteArray& bytes, const QByteArray& reference);
