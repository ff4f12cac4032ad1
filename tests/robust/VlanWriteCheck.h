// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// Which presses may change the host's VLAN array, checked after every step of
// a walk: Set (only the bits it owns), Default (only to the default image),
// nothing else. Presses are counted from the buttons' clicked signals, so a
// press by mouse, Space, Enter or accelerator counts alike, in whichever step
// it lands.

#include "tests/robust/RobustSupport.h"
#include "vlan/Vlan_form.h"

#include <QObject>
#include <QPointer>
#include <QString>

namespace robust {

struct VlanPresses
{
    bool set = false;          // "&Set" was pressed
    bool defaultButton = false; // "De&fault" was pressed (whatever the answer)
};

// Empty when the change from before to after is one that the presses allow;
// otherwise what is wrong. count is the table's entry count after the step.
inline QString vlanWriteViolation(const VlanBytes& before, const VlanBytes& after, VlanPresses pressed,
                                  int count)
{
    if (after == before)
        return {};
    if (pressed.defaultButton && after == VlanConfigArray::defaultImage())
        return {};
    if (pressed.set && changedOutside(before, after, vlanSetButtonMask(count)) < 0)
        return {};
    if (!pressed.set && !pressed.defaultButton)
        return QStringLiteral("the array changed without Set or Default: %1 -> %2").arg(hexText(before), hexText(after));
    return QStringLiteral("the array changed beyond what %1 writes: %2 -> %3")
        .arg(pressed.set ? QStringLiteral("Set") : QStringLiteral("Default"), hexText(before), hexText(after));
}

// Records the presses of one dialog's Set and Default buttons since the last
// take(); a child of the dialog.
class VlanPressSpy : public QObject
{
public:
    explicit VlanPressSpy(TVlan_form* dialog)
        : QObject(dialog)
    {
        connect(dialog->Button3, &QAbstractButton::clicked, this, [this] { m_presses.set = true; });
        connect(dialog->Button5, &QAbstractButton::clicked, this, [this] { m_presses.defaultButton = true; });
    }

    VlanPresses take()
    {
        const VlanPresses p = m_presses;
        m_presses = {};
        return p;
    }

private:
    VlanPresses m_presses;
};

} // namespace robust
