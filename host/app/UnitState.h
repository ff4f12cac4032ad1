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

// A unit's VLAN array made to show a case, as the demo's command line asks:
// a blank array first takes the VLAN default image (as the dialog would), then
// the mode is written when one is given (0 disable, 1 single tag, 2 double
// tag), and with sampleTable the static VLAN table gets the sample entries
// after the ones it has (as many as fit in its 22 slots) and the Default VIDs
// of LINE 2 and LINE 3 name two of them.
void presetVlan(Unit& unit, int mode, bool sampleTable);

// The sample entries: VID and membership codes of LINE 2, LINE 3, LINE 4,
// Modem 1, Modem 2 and NMS (0 unmodified, 1 untagged, 2 tagged, 3 not a member).
struct SampleVlan
{
    unsigned short vid;
    unsigned char codes[6];
};
inline constexpr SampleVlan kSampleVlans[] = {
    {10, {1, 3, 3, 2, 2, 3}},
    {20, {3, 1, 3, 2, 2, 3}},
    {300, {2, 2, 1, 0, 3, 3}},
    {4094, {3, 3, 3, 2, 3, 2}},
};
