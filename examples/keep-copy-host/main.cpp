// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// A host whose Cancel leaves its arrays as they were: it keeps a copy of each
// array from before the dialog is constructed (the constructor itself may
// write the default image) and puts it back unless the result is OK.
#include <core/IniFile.h>
#include <core/UnitConstants.h>
#include <qos/Qos_form.h>
#include <vlan/Vlan_form.h>

#include <QApplication>
#include <QPointer>
#include <QTimer>

#include <array>
#include <cstdio>

using QosArray = std::array<unsigned char, kQosConfigSize>;
using VlanArray = std::array<unsigned char, kVlanConfigSize>;

namespace {

QString answer; // --answer ok|cancel: close each dialog at once (no user)

void answerWhenShown(QDialog* dialog)
{
    if (answer == QLatin1String("ok"))
        QTimer::singleShot(0, dialog, &QDialog::accept);
    else if (answer == QLatin1String("cancel"))
        QTimer::singleShot(0, dialog, &QDialog::reject);
}

// Opens the QoS dialog over qos; true when the user left with OK. On any
// other result qos holds again what it held before.
bool editQos(QWidget* owner, TIniFile* catalogue, QosArray& qos)
{
    const QosArray kept = qos;
    int size = 0;
    // The QoS dialog deletes itself when it closes, once an event loop runs:
    // a QPointer turns null then, so the host never touches a deleted dialog.
    QPointer<TQos_form> dialog = new TQos_form(owner, true, catalogue, qos.data(), &size);
    answerWhenShown(dialog);
    const int result = dialog->exec();
    delete dialog; // still set here; null (and a no-op) after an event loop
    if (result != 1)
        qos = kept;
    return result == 1;
}

// The same for the VLAN dialog, which the host always deletes itself.
bool editVlan(QWidget* owner, TIniFile* catalogue, VlanArray& vlan)
{
    const VlanArray kept = vlan;
    int size = 0;
    auto* dialog = new TVlan_form(owner, true, catalogue, vlan.data(), &size, false, 1, 0, 0,
                                  char(kLine4CapabilityBit));
    answerWhenShown(dialog);
    const int result = dialog->exec();
    delete dialog;
    if (result != 1)
        vlan = kept;
    return result == 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (const qsizetype at = args.indexOf(QStringLiteral("--answer")); at >= 0)
        answer = args.value(at + 1);

    TIniFile catalogue; // no file: the English texts
    QosArray qos;
    VlanArray vlan;
    qos.fill(0xFF); // a unit that was never configured
    vlan.fill(0xFF);
    const QosArray qosBefore = qos;
    const VlanArray vlanBefore = vlan;

    const bool qosAccepted = editQos(nullptr, &catalogue, qos);
    std::printf("QoS: %s; the array is %s\n", qosAccepted ? "accepted" : "cancelled",
                qos == qosBefore ? "as it was" : "changed");
    const bool vlanAccepted = editVlan(nullptr, &catalogue, vlan);
    std::printf("VLAN: %s; the array is %s\n", vlanAccepted ? "accepted" : "cancelled",
                vlan == vlanBefore ? "as it was" : "changed");
    return 0;
}
