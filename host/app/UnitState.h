// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/FieldCatalogue.h"
#include "core/UnitConstants.h"

#include <QByteArray>
#include <QString>

// The two configuration arrays of a unit and the facts about it that the VLAN
// dialog takes besides its array.

constexpr int kQosArrayBytes = kQosConfigSize;
constexpr int kVlanArrayBytes = kVlanConfigSize;

// "QoS" or "VLAN".
QString arrayName(ArrayKind kind);

// The five unit facts, as the VLAN dialog's constructor takes them.
struct UnitFacts
{
    static constexpr char kLine4Bit = char(kLine4CapabilityBit);
    static constexpr char kModem2Unusable = char(kModem2UnusableMode);

    bool vlanActiveInEthernet = false;
    char modem2Present = 1;
    char onePlusZeroInactive = 0;
    char modem2Mode = 0;
    char oduCapabilities = kLine4Bit;

    bool hasLine4() const { return unitHasLine4(oduCapabilities); }
    void setHasLine4(bool on)
    {
        oduCapabilities = char(on ? (oduCapabilities | kLine4Bit) : (oduCapabilities & ~kLine4Bit));
    }
    bool modem2Usable() const { return unitModem2Usable(modem2Present, modem2Mode); }
};

// One radio unit as the host keeps it. A new unit is unconfigured: every byte
// 0xFF, so the first dialog opened on it replaces the array by its defaults.
struct Unit
{
    QByteArray qos = QByteArray(kQosArrayBytes, char(0xFF));
    QByteArray vlan = QByteArray(kVlanArrayBytes, char(0xFF));
    UnitFacts facts;

    QByteArray& array(ArrayKind kind) { return kind == ArrayKind::Qos ? qos : vlan; }
    const QByteArray& array(ArrayKind kind) const { return kind == ArrayKind::Qos ? qos : vlan; }
};
