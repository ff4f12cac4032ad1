// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "plugin/CaptionTables.h"

std::span<const CaptionRow> qosCaptionRows()
{
    return CaptionTables::qos();
}

std::span<const CaptionRow> vlanCaptionRows()
{
    return CaptionTables::vlan();
}

std::span<const CaptionRow> vidEntryCaptionRows()
{
    return CaptionTables::vidEntry();
}

QByteArray catalogueTextFromTables(const std::function<QString(const CaptionRow&)>& textFor)
{
    return CaptionTables::catalogueText(textFor);
}

const CaptionRow* findCaptionRow(std::span<const CaptionRow> rows, std::string_view control)
{
    return CaptionTables::find(rows, control);
}
