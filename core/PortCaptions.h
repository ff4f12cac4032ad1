// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The English names of the switch's ports as the VLAN dialog captions them
// ("LINE 2" ... "NMS"), for the core's own texts: field labels and check
// findings. Read from the caption tables, so there is one copy of each.

#include "core/CaptionTables.h"

#include <QString>

#include <array>

// port: 0 LINE 2, 1 LINE 3, 2 LINE 4, 3 Modem 1, 4 Modem 2, 5 NMS (tPortik order).
inline QString portCaption(int port)
{
    // The captions of the port based page, which name every port.
    static constexpr std::array<const char*, 6> kControls = {"Label17", "Label18", "Label19",
                                                             "Label20", "Label21", "Label16"};
    return CaptionTables::plainEnglish(CaptionTables::vlan(), kControls[std::size_t(port)]);
}
