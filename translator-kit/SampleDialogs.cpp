// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/SampleDialogs.h"

#include "core/IniFile.h"
#include "ui/Settle.h"
#include "plugin/InstancePointers.h"
#include "core/QosConfig.h"
#include "qos/Qos_form.h"
#include "vlan/Unit3.h"
#include "core/VlanConfig.h"
#include "vlan/Vlan_form.h"

#include <QCoreApplication>

#include <array>
#include <memory>

namespace {

// A unit that has LINE 4 and a usable second radio channel.
constexpr char kHasLine4 = 0x08;

} // namespace

void forEachSampleDialog(const QString& catalogue,
                         const std::function<void(const QString& dialog, QWidget* window)>& visit)
{
    TIniFile ini(catalogue);
    {
        std::array<unsigned char, kQosConfigSize> qos;
        qos.fill(0xFF);
        int size = 0;
        auto dialog = std::make_unique<TQos_form>(nullptr, true, &ini, qos.data(), &size);
        Qos_form1 = dialog.get();
        dialog->show();
        settle();
        visit(QStringLiteral("QoS dialog"), dialog.get());
        Qos_form1 = nullptr;
    }
    {
        std::array<unsigned char, kVlanConfigSize> vlan;
        vlan.fill(0xFF);
        int size = 0;
        auto dialog = std::make_unique<TVlan_form>(nullptr, true, &ini, vlan.data(), &size,
                                                   false, char(1), char(1), char(0), kHasLine4);
        Vlan_form1 = dialog.get();
        dialog->show();
        settle();
        visit(QStringLiteral("VLAN dialog"), dialog.get());

        short vid = 0;
        auto entry = std::make_unique<TForm3>(dialog.get(), &ini, short(1), &vid);
        Form3 = entry.get();
        entry->show();
        settle();
        visit(QStringLiteral("VID entry dialog"), entry.get());
        entry.reset();
        Form3 = nullptr;
        Vlan_form1 = nullptr;
    }
}
