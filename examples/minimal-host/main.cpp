// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// A minimal host: it owns one unit's two configuration arrays and a language
// catalogue, opens the QoS and then the VLAN dialog over them, and prints the
// fields each dialog changed.
#include <core/FieldCatalogue.h>
#include <core/IniFile.h>
#include <core/UnitConstants.h>
#include <qos/Qos_form.h>
#include <vlan/Vlan_form.h>

#include <QApplication>
#include <QStringList>
#include <QTimer>

#include <cstdio>
#include <cstring>

namespace {

// Without a user (--answer): close the dialog with that result once it runs.
void answerWhenShown(QDialog* dialog, const QString& answer)
{
    if (answer == QLatin1String("ok"))
        QTimer::singleShot(0, dialog, &QDialog::accept);
    else if (answer == QLatin1String("cancel"))
        QTimer::singleShot(0, dialog, &QDialog::reject);
}

// Prints each field whose value differs between the two copies of an array.
void printChanges(ArrayKind kind, const unsigned char* before, const unsigned char* after)
{
    int changed = 0;
    for (const FieldSpec& field : fieldCatalogue(kind)) {
        const unsigned was = readField(field, before);
        const unsigned now = readField(field, after);
        if (was != now) {
            std::printf("  %s: %s -> %s\n", qPrintable(field.name), qPrintable(fieldValueText(field, was)),
                        qPrintable(fieldValueText(field, now)));
            ++changed;
        }
    }
    if (changed == 0)
        std::printf("  no field changed\n");
}

const char* resultName(int result)
{
    return result == 1 ? "OK" : result == 2 ? "cancel" : "closed";
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QString answer;
    if (const qsizetype at = args.indexOf(QStringLiteral("--answer")); at >= 0 && at + 1 < args.size()) {
        answer = args.at(at + 1);
        args.remove(at, 2);
    }

    // The host's own data: a unit that was never configured (every byte 0xFF)
    // and the catalogue of the user's language ("" = the English texts). Both
    // outlive the dialogs.
    unsigned char qos[kQosConfigSize];
    unsigned char vlan[kVlanConfigSize];
    std::memset(qos, 0xFF, sizeof qos);
    std::memset(vlan, 0xFF, sizeof vlan);
    TIniFile catalogue(args.value(0));
    if (!args.isEmpty() && catalogue.fileStatus() != CatalogueFileStatus::Read)
        std::fprintf(stderr, "minimal-host: %s; the dialogs show their English texts\n",
                     qPrintable(catalogueFileProblem(catalogue.fileStatus(), args.value(0))));

    // The QoS dialog writes each accepted field into the array at once.
    int size = 0;
    auto* qosDialog = new TQos_form(nullptr, /*isLocal*/ true, &catalogue, qos, &size);
    std::printf("QoS dialog over %d bytes\n", size);
    // The constructor put the default image into the never-configured array;
    // what follows is the user's.
    unsigned char qosShown[kQosConfigSize];
    std::memcpy(qosShown, qos, sizeof qos);
    answerWhenShown(qosDialog, answer);
    const int qosResult = qosDialog->exec();
    delete qosDialog; // at once: the QoS dialog has scheduled its own deletion
    std::printf("QoS dialog: result %d (%s)\n", qosResult, resultName(qosResult));
    printChanges(ArrayKind::Qos, qosShown, qos);

    // The VLAN dialog writes only when Set accepts (or Default is pressed).
    auto* vlanDialog = new TVlan_form(nullptr, true, &catalogue, vlan, &size,
                                      /*vlanActiveInEthernet*/ false, /*modem2Present*/ 1,
                                      /*onePlusZeroInactive*/ 0, /*modem2Mode*/ 0,
                                      /*oduCapabilities*/ char(kLine4CapabilityBit));
    std::printf("VLAN dialog over %d bytes\n", size);
    unsigned char vlanShown[kVlanConfigSize];
    std::memcpy(vlanShown, vlan, sizeof vlan);
    answerWhenShown(vlanDialog, answer);
    const int vlanResult = vlanDialog->exec();
    delete vlanDialog;
    std::printf("VLAN dialog: result %d (%s)\n", vlanResult, resultName(vlanResult));
    printChanges(ArrayKind::Vlan, vlanShown, vlan);
    return 0;
}
