// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

/// \file
/// The caption tables under the names the dialogs library has always exported;
/// the rows themselves are the core's (core/CaptionTables.h), so that the field
/// catalogue and the dialogs read one English text. Hosts built against these
/// names build and run unchanged.

#include "core/CaptionTables.h"
#include "plugin/OduSwitchExport.h"

/// CaptionTables::qos().
ODU_SWITCH_EXPORT std::span<const CaptionRow> qosCaptionRows();
/// CaptionTables::vlan().
ODU_SWITCH_EXPORT std::span<const CaptionRow> vlanCaptionRows();
/// CaptionTables::vidEntry().
ODU_SWITCH_EXPORT std::span<const CaptionRow> vidEntryCaptionRows();

/// The three tables: QoS dialog, VLAN dialog, VID entry dialog.
inline std::array<std::span<const CaptionRow>, 3> allCaptionTables()
{
    return CaptionTables::all();
}

/// CaptionTables::catalogueText.
ODU_SWITCH_EXPORT QByteArray catalogueTextFromTables(
    const std::function<QString(const CaptionRow&)>& textFor);

/// CaptionTables::find.
ODU_SWITCH_EXPORT const CaptionRow* findCaptionRow(std::span<const CaptionRow> rows,
                                                   std::string_view control);
