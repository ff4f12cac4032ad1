// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "plugin/InstancePointers.h"

TQos_form* Qos_form1 = nullptr;
TVlan_form* Vlan_form1 = nullptr;
TForm3* Form3 = nullptr;
