// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

/// \file
/// The VLAN dialog's rules that do not need a window: what the forwarding
/// boxes do when one of them changes, and which fields apply in a VLAN mode.
/// The dialog runs them on its controls and `odu-switch check` on a stored
/// array, so both always agree.

#include "core/OduSwitchCoreExport.h"
#include "core/VlanConfig.h"

#include <optional>

// ---- The port forwarding boxes (CheckBox7..CheckBox18) ----------------------
//
// Only the NMS row has rules. Of NMS to LINE 2, LINE 3 and LINE 4 one stays
// on: a box that goes on clears the other two, a box that goes off comes
// back on unless one of the others is on; NMS to LINE 4 never stays on
// without a LINE 4 port. NMS to Modem 1 and NMS to Modem 2 are never both on:
// the one that goes on clears the other.

/// The boxes as the form designs them, before anything is loaded: Modem 1 and
/// Modem 2 to every LINE, NMS to LINE 3 and to Modem 1; "Separate User Ports"
/// clear.
ODU_SWITCH_CORE_EXPORT PortForwarding designedPortForwarding();

/// The boxes once `box` has changed to the state that `boxes` holds and its
/// rule has run; a box the rule changes runs its own rule at once, before the
/// rest of the first one, as the boxes' change signals do in the dialog.
ODU_SWITCH_CORE_EXPORT PortForwarding afterForwardingBoxChanged(PortForwarding boxes, int box, bool hasLine4);

/// The boxes after each is set, in order, to its state in `stored` (a box that
/// changes runs its rule at once): what the dialog shows after loading the
/// stored bits over boxes that held `current`.
ODU_SWITCH_CORE_EXPORT PortForwarding portForwardingLoaded(PortForwarding current, const PortForwarding& stored,
                                                           bool hasLine4);

/// portForwardingLoaded over the designed boxes: what a dialog that has just
/// opened over these stored bits shows.
ODU_SWITCH_CORE_EXPORT PortForwarding portForwardingAsLoaded(const PortForwarding& stored, bool hasLine4);

// ---- Fields that apply in a VLAN mode ----------------------------------------
//
// A field that does not apply is shown so (a disabled label, the inactive
// colour) but stays editable; Set does not look at whether it applies.

/// Which groups of the VLAN dialog's fields apply in a mode on a unit.
struct VlanFieldsInMode
{
    /// The fields of Single and Double Tag: the ports LINE 2, LINE 3, Modem 1
    /// and NMS with their Default VIDs, every port's ingress policy, the static
    /// VLAN entries and the forwarding matrix.
    bool tagged = false;
    /// LINE 4 and its Default VID: a tagged mode on a unit with a LINE 4 port.
    bool line4 = false;
    /// Modem 2 and its Default VID: a tagged mode on a unit whose second radio
    /// channel is usable.
    bool modem2 = false;
    /// The double tag modes, the provider EtherType and the removal of a
    /// provider tag: Double Tag only.
    bool doubleTag = false;
    /// Member-wise equality.
    friend bool operator==(const VlanFieldsInMode&, const VlanFieldsInMode&) = default;
};

/// Mode 0 Disable, 1 Single Tag, 2 Double Tag; any other mode names none of
/// them and gives nothing.
ODU_SWITCH_CORE_EXPORT std::optional<VlanFieldsInMode> vlanFieldsInMode(int mode, bool hasLine4, bool modem2Usable);
