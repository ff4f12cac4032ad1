// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/VlanRules.h"

namespace {

// The boxes while their rules run: a change of state runs the box's rule at
// once, as the box's change signal does in the dialog.
struct ForwardingBoxes
{
    PortForwarding box;
    bool hasLine4;

    void set(int i, bool on)
    {
        if (box[std::size_t(i)] == on)
            return;
        box[std::size_t(i)] = on;
        changed(i);
    }

    void changed(int i)
    {
        switch (i) {
        case kFwdNmsLine2: nmsUplink(kFwdNmsLine2, kFwdNmsLine3, kFwdNmsLine4); break;
        case kFwdNmsLine3: nmsUplink(kFwdNmsLine3, kFwdNmsLine2, kFwdNmsLine4); break;
        case kFwdNmsLine4:
            if (!hasLine4)
                set(kFwdNmsLine4, false);
            else
                nmsUplink(kFwdNmsLine4, kFwdNmsLine2, kFwdNmsLine3);
            break;
        case kFwdNmsModem1:
            if (box[kFwdNmsModem1])
                set(kFwdNmsModem2, false);
            break;
        case kFwdNmsModem2:
            if (box[kFwdNmsModem2])
                set(kFwdNmsModem1, false);
            break;
        default: break;
        }
    }

    // One of the three NMS uplink boxes: on, it clears the other two; off,
    // it comes back on unless one of the others is on.
    void nmsUplink(int self, int a, int b)
    {
        if (box[std::size_t(self)]) {
            set(a, false);
            set(b, false);
        } else if (!box[std::size_t(a)] && !box[std::size_t(b)]) {
            set(self, true);
        }
    }
};

} // namespace

PortForwarding designedPortForwarding()
{
    PortForwarding boxes{};
    for (int i : {kFwdModem1Line2, kFwdModem1Line3, kFwdModem1Line4, kFwdModem2Line2, kFwdModem2Line3,
                  kFwdModem2Line4, kFwdNmsLine3, kFwdNmsModem1})
        boxes[std::size_t(i)] = true;
    return boxes;
}

PortForwarding afterForwardingBoxChanged(PortForwarding boxes, int box, bool hasLine4)
{
    if (box < 0 || box >= kPortForwardingBoxes)
        return boxes;
    ForwardingBoxes rules{boxes, hasLine4};
    rules.changed(box);
    return rules.box;
}

PortForwarding portForwardingLoaded(PortForwarding current, const PortForwarding& stored, bool hasLine4)
{
    ForwardingBoxes rules{current, hasLine4};
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        rules.set(i, stored[std::size_t(i)]);
    return rules.box;
}

PortForwarding portForwardingAsLoaded(const PortForwarding& stored, bool hasLine4)
{
    return portForwardingLoaded(designedPortForwarding(), stored, hasLine4);
}

std::optional<VlanFieldsInMode> vlanFieldsInMode(int mode, bool hasLine4, bool modem2Usable)
{
    if (mode < 0 || mode > 2)
        return std::nullopt;
    const bool tagged = mode != 0;
    return VlanFieldsInMode{tagged, tagged && hasLine4, tagged && modem2Usable, mode == 2};
}
