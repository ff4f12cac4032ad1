// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/DialogRun.h"

#include "host/app/CancelCopy.h"

#include "core/IniFile.h"
#include "plugin/InstancePointers.h"
#include "qos/Qos_form.h"
#include "vlan/Vlan_form.h"

#include <QPointer>

namespace {

unsigned char* bytesOf(QByteArray& cfg)
{
    return reinterpret_cast<unsigned char*>(cfg.data());
}

QByteArray copyOf(const QByteArray& cfg)
{
    return QByteArray(cfg.constData(), cfg.size()); // a deep copy, never shared
}

// The host contract, the same for both dialogs: keep a copy, construct with
// new (the constructor reports the size and may replace a blank array), run
// the modal loop, read the result and the array, destroy the dialog, and put
// the copy back on cancel when the user asked for that.
template <typename Dialog, typename Construct>
DialogRun runDialog(ArrayKind kind, bool isLocal, QByteArray& cfg, bool discardOnCancel,
                    Dialog*& instancePointer, Construct construct)
{
    DialogRun run;
    run.kind = kind;
    run.isLocal = isLocal;
    run.before = copyOf(cfg);

    CancelCopy copy(cfg, discardOnCancel);
    int size = 0;
    // The QoS dialog schedules its own deletion when it closes and clears
    // Qos_form1; the guarded pointer tells whether the dialog still exists
    // when the host destroys it.
    QPointer<Dialog> dialog = construct(bytesOf(cfg), &size);
    instancePointer = dialog;
    run.reportedSize = size;
    run.afterConstruction = copyOf(cfg);

    run.result = dialog->exec();
    run.written = copyOf(cfg);
    delete dialog.data(); // a null pointer when the dialog is already gone
    instancePointer = nullptr;

    run.restored = copy.finish(run.result);
    run.kept = copyOf(cfg);
    return run;
}

} // namespace

DialogRun runQosDialog(QWidget* owner, bool isLocal, TIniFile* langIni, QByteArray& cfg,
                       bool discardOnCancel)
{
    Q_ASSERT(cfg.size() == kQosArrayBytes);
    return runDialog(ArrayKind::Qos, isLocal, cfg, discardOnCancel, Qos_form1,
                     [&](unsigned char* bytes, int* size) {
                         return new TQos_form(owner, isLocal, langIni, bytes, size);
                     });
}

DialogRun runVlanDialog(QWidget* owner, bool isLocal, TIniFile* langIni, QByteArray& cfg,
                        const UnitFacts& facts, bool discardOnCancel)
{
    Q_ASSERT(cfg.size() == kVlanArrayBytes);
    return runDialog(ArrayKind::Vlan, isLocal, cfg, discardOnCancel, Vlan_form1,
                     [&](unsigned char* bytes, int* size) {
                         return new TVlan_form(owner, isLocal, langIni, bytes, size,
                                               facts.vlanActiveInEthernet, facts.modem2Present,
                                               facts.onePlusZeroInactive, facts.modem2Mode,
                                               facts.oduCapabilities);
                     });
}
