// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "plugin/OduSwitchExport.h"

class TQos_form;
class TVlan_form;
class TForm3;

/// \file
/// The exported instance pointers. All three are null when the library is
/// loaded. The QoS dialog sets Qos_form1 to null when it closes; nothing in the
/// library reads or writes the other two, which exist for the host. They own
/// nothing, and are read and written on the user-interface thread only.

/// The QoS dialog a host keeps; set to null by a QoS dialog that closes.
extern ODU_SWITCH_EXPORT TQos_form* Qos_form1;
/// The VLAN dialog a host keeps, if it wants to; the library never touches it.
extern ODU_SWITCH_EXPORT TVlan_form* Vlan_form1;
/// The VID entry dialog's pointer of earlier hosts; the library never touches it.
extern ODU_SWITCH_EXPORT TForm3* Form3;
