#include "host/core/DialogRun.h"

#include "host/core/CancelCopy.h"

#include "plugin/IniFile.h"
#include "plugin/InstancePointers.h"
#include "qos/Qos_form.h"
#include "vlan/Vlan_form.h"

#include <QPointer>

namespace {

unsigned char* bytesOf(QByteArray& cfg)
{
    return reinterpret_cast<unsigned char*>(cfg.data());
}

} // namespace

DialogRun runQosDialog(QWidget* owner, bool isLocal, TIniFile* langIni, QByteArray& cfg,
                       bool discardOnCancel)
{
    Q_ASSERT(cfg.size() == kQosArrayBytes);
    DialogRun run;
    run.kind = ArrayKind::Qos;
    run.isLocal = isLocal;
    run.before = QByteArray(cfg.constData(), cfg.size());

    CancelCopy copy(cfg, discardOnCancel);
    int size = 0;
    // The dialog schedules its own deletion when it closes and clears
    // Qos_form1; the guarded pointer tells whether it still exists when the
    // host destroys it.
    QPointer<TQos_form> dialog = new TQos_form(owner, isLocal, langIni, bytesOf(cfg), &size);
    Qos_form1 = dialog;
    run.reportedSize = size;
    run.afterConstruction = QByteArray(cfg.constData(), cfg.size());

    run.result = dialog->exec();
    run.written = QByteArray(cfg.constData(), cfg.size());
    delete dialog.data(); // a null pointer when the dialog is already gone
    Qos_form1 = nullptr;

    run.restored = copy.finish(run.result);
    run.kept = QByteArray(cfg.constData(), cfg.size());
    return run;
}

DialogRun runVlanDialog(QWidget* owner, bool isLocal, TIniFile* langIni, QByteArray& cfg,
                        const UnitFacts& facts, bool discardOnCancel)
{
    Q_ASSERT(cfg.size() == kVlanArrayBytes);
    DialogRun run;
    run.kind = ArrayKind::Vlan;
    run.isLocal = isLocal;
    run.before = QByteArray(cfg.constData(), cfg.size());

    CancelCopy copy(cfg, discardOnCancel);
    int size = 0;
    QPointer<TVlan_form> dialog =
        new TVlan_form(owner, isLocal, langIni, bytesOf(cfg), &size, facts.vlanActiveInEthernet,
                       facts.modem2Present, facts.onePlusZeroInactive, facts.modem2Mode,
                       facts.oduCapabilities);
    Vlan_form1 = dialog;
    run.reportedSize = size;
    run.afterConstruction = QByteArray(cfg.constData(), cfg.size());

    run.result = dialog->exec();
    run.written = QByteArray(cfg.constData(), cfg.size());
    delete dialog.data();
    Vlan_form1 = nullptr;

    run.restored = copy.finish(run.result);
    run.kept = QByteArray(cfg.constData(), cfg.size());
    return run;
}
