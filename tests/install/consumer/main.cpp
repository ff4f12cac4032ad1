// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// A host outside the source tree: constructs both dialogs over never-configured
// arrays and checks the size report and the default images.
#include <core/IniFile.h>
#include <plugin/InstancePointers.h>
#include <qos/Qos_form.h>
#include <core/VlanCommit.h>
#include <vlan/Vlan_form.h>

#include <QApplication>

#include <cstdio>
#include <cstring>

static int failures = 0;

static void check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "FAILED: %s\n", what);
        ++failures;
    }
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    check(Qos_form1 == nullptr && Vlan_form1 == nullptr && Form3 == nullptr,
          "instance pointers start null");

    TIniFile catalogue{QString()};
    int size = 0;

    unsigned char qos[40];
    std::memset(qos, 0xFF, sizeof qos);
    auto* qosDialog = new TQos_form(nullptr, true, &catalogue, qos, &size);
    check(size == 40, "QoS size report");
    const unsigned char qosDefault[40] = {
        0x00, 0x00, 0x1B, 0x03, 0x10, 0x32, 0x54, 0x76, 0x10, 0x32, 0x54, 0x76, 0x10, 0x32,
        0x54, 0x76, 0x50, 0xFA, 0x00, 0x00, 0x00, 0x00, 0x55, 0x55, 0x55, 0x55, 0xAA, 0xAA,
        0xAA, 0xAA, 0xFF, 0xFF, 0xFF, 0xFF, 0x01, 0x02, 0x04, 0x08, 0x00, 0x00};
    check(std::memcmp(qos, qosDefault, 40) == 0, "QoS default image");
    delete qosDialog;

    unsigned char vlan[82];
    std::memset(vlan, 0xFF, sizeof vlan);
    auto* vlanDialog = new TVlan_form(nullptr, false, &catalogue, vlan, &size, false, 1, 0, 0, 8);
    check(size == 82, "VLAN size report");
    const unsigned char vlanHead[19] = {0x00, 0x00, 0x00, 0xFB, 0xAB, 0x01, 0x10, 0x00, 0x01, 0x10,
                                        0x00, 0x01, 0x10, 0x00, 0x01, 0x00, 0x01, 0x70, 0x7B};
    check(std::memcmp(vlan, vlanHead, 19) == 0, "VLAN default image, bytes 0-18");
    bool tailZero = true;
    for (int i = 19; i < 82; ++i)
        tailZero = tailZero && vlan[i] == 0;
    check(tailZero, "VLAN default image, bytes 19-81");
    check(vlanDialog->get_vlan_mode() == 0, "VLAN accessor reachable from a host");
    delete vlanDialog;

    // The window-free operations behind the dialog, through their earlier
    // header paths: every function they declare links.
    VlanCommitInput in;
    in.defaultVidTexts = {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"),
                          QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
    in.table = makeVlanPole(1);
    in.vlanCount = vlanPoleEntries(in.table);
    check(commitVlanSettings(in, VlanConfigArray(vlan)).ok(), "Set operation reachable from a host");
    check(!vlanCommitRefusalText(VlanCommitRefusal{}, &catalogue).isEmpty(), "Set message reachable from a host");

    std::printf("%s\n", failures ? "consumer: FAILED" : "consumer: all checks passed");
    return failures ? 1 : 0;
}
