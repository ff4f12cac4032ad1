// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>

// A catalogue in which every text of both dialogs (every key the caption
// tables name) is about length characters long: its English text repeated.
// A translator's runaway line, or a hostile file, at its worst; the openings
// with it show whether their cost follows the length of the texts.
QByteArray catalogueWithTextsOf(int length);
