// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/ArrayCheck.h"
#include "core/FieldCatalogue.h"
#include "toolsupport/ToolProcess.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// The commands of the odu-switch tool. Each returns the process exit code
// (ToolExit): 0 done (or: same, clean), 1 a difference or finding, 2 trouble.

struct ToolOptions
{
    std::optional<ArrayKind> kind; // --kind: only arrays of this kind are accepted
    bool json = false;             // --json
    QString output;                // -o
    QString catalogue;             // --catalogue
    UnitFactsForCheck facts;       // the unit facts of check
};

int showCommand(const QStringList& files, const ToolOptions& options);
int diffCommand(const QStringList& files, const ToolOptions& options);
int checkCommand(const QStringList& files, const ToolOptions& options);
int setCommand(const QStringList& arguments, const ToolOptions& options);
int encodeCommand(const QStringList& files, const ToolOptions& options);
int defaultCommand(const QStringList& arguments, const ToolOptions& options);
