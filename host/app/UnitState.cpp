// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/UnitState.h"

QString arrayName(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? QStringLiteral("QoS") : QStringLiteral("VLAN");
}
