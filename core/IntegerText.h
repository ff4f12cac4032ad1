// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"

#include <QString>

#include <optional>

/// \file
/// How the dialogs read a number typed into a field.

/// Whole-number reading of a typed text: leading blanks are skipped, then an
/// optional sign and decimal digits that must fill the rest of the text and fit
/// a 32-bit signed integer. Anything else (empty, blanks only, trailing
/// characters, hexadecimal) fails.
ODU_SWITCH_CORE_EXPORT std::optional<int> textToInteger(const QString& text);

/// The message of a failed reading: "''<text>'' is not a valid integer value".
ODU_SWITCH_CORE_EXPORT QString invalidIntegerMessage(const QString& text);
