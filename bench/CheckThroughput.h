// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

// Prints how many arrays per second the array check gets through: in memory,
// and through the odu-switch tool over 10,000 files in one call.
void printCheckThroughput(const QString& toolPath);
