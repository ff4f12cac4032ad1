// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "testing/OpenCloseCycles.h"

#include "testing/ModalAnswering.h"

#include "qos/Qos_form.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <array>
#include <cstdio>

std::array<unsigned char, kVlanConfigSize> acceptedFullVlanTable()
{
    std::array<unsigned char, kVlanConfigSize> b = VlanConfigArray::defaultImage();
    VlanConfigArray cfg(b.data());
    cfg.set_vlan_mode(1); // Single Tag
    PortForwarding fwd = cfg.portForwarding();
    fwd[6] = false;
    fwd[7] = true;
    fwd[8] = false;
    cfg.setPortForwarding(fwd);
    for (int i = 0; i < kMaxStaticVlans; ++i) {
        StaticVlanEntry e;
        e.vid = static_cast<unsigned short>(i + 1);
        e.codes = {untagged_member, tagged_member, untagged_member, tagged_member, not_a_member,
                   static_cast<unsigned char>(i == 0 ? untagged_member : not_a_member)};
        cfg.writeSlot(i, e);
    }
    cfg.set_pocet_vlan(kMaxStaticVlans);
    return b;
}

int runOpenCloseCycles(int cycles, TIniFile* catalogueA, TIniFile* catalogueB)
{
    // Every modal window that opens is answered: message boxes with Yes (or
    // their first button), the VID entry dialog with a new VID.
    int nextVid = 100;
    ModalWatcher answerer([&](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            QAbstractButton* b = box->button(QMessageBox::Yes);
            (b ? b : box->buttons().value(0))->click();
        } else if (auto* entry = qobject_cast<TForm3*>(w)) {
            entry->Edit1->setText(QString::number(nextVid++ % 4000 + 1));
            entry->Button1->click();
        }
    });
    answerer.setFilter([](QWidget* w) { return !qobject_cast<TQos_form*>(w) && !qobject_cast<TVlan_form*>(w); });

    int failed = 0;
    int size = 0;
    std::array<unsigned char, kQosConfigSize> qosArray{};
    for (int i = 0; i < cycles; ++i) {
        TIniFile* ini = i % 2 ? catalogueB : catalogueA;

        qosArray = QosConfigArray::defaultImage();
        auto* q = new TQos_form(nullptr, true, ini, qosArray.data(), &size);
        QTimer::singleShot(0, q, [q] {
            q->Button2->click();
            q->Edit1->setFocus();
            q->Edit1->setText(QStringLiteral("0"));
            q->Edit2->setFocus();
            q->Button1->click();
        });
        const int qosResult = q->exec();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

        auto full = acceptedFullVlanTable();
        auto* v = new TVlan_form(nullptr, false, ini, full.data(), &size, false, 1, 0, 0, kLine4CapabilityBit);
        QTimer::singleShot(0, v, [v] {
            v->Button5->click();
            v->Button1->click();
            v->Button3->click();
        });
        const int vlanResult = v->exec();
        const int entries = v->vlanEntryCount();
        delete v;
        if (qosResult != 1 || vlanResult != 1 || entries != 2) {
            std::fprintf(stderr, "cycle %d: QoS result %d, VLAN result %d with %d entries\n", i, qosResult,
                         vlanResult, entries);
            ++failed;
        }
    }
    return failed;
}
