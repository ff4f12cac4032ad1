// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// odu-switch: shows, compares, checks and edits the saved QoS (40-byte) and
// VLAN (82-byte) configuration arrays of a radio unit's Ethernet switch,
// without a window. See odu-switch(1).

#include "cli/Commands.h"
#include "cli/ToolIo.h"

#include <QCommandLineParser>
#include <QCoreApplication>

namespace {

const char kUsage[] =
    "Commands:\n"
    "  show FILE...              every field, named as the dialogs name them (--json: format 1)\n"
    "  diff OLD NEW              the fields that differ; exit 0 same, 1 different, 2 trouble\n"
    "  check FILE...             what the dialogs would refuse, and likely mistakes; exit 0 clean, 1 findings\n"
    "  set FILE... NAME=VALUE... change fields (names as in show --json)\n"
    "  encode JSON -o FILE       an array from the JSON of show --json\n"
    "  default qos|vlan -o FILE  the default image\n"
    "A FILE of - is standard input or standard output.";

int runCommand()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(kUsage));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), QStringLiteral("show, diff, check, set, encode or default"));
    const QCommandLineOption kind(QStringLiteral("kind"), QStringLiteral("Accept only arrays of this kind."),
                                  QStringLiteral("qos|vlan"));
    const QCommandLineOption json(QStringLiteral("json"), QStringLiteral("show, diff, check: print JSON."));
    const QCommandLineOption output({QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("set, encode, default: the file to write."), QStringLiteral("file"));
    const QCommandLineOption catalogue(QStringLiteral("catalogue"),
                                       QStringLiteral("check: language catalogue for the messages."),
                                       QStringLiteral("file"));
    const QCommandLineOption noLine4(QStringLiteral("no-line4"), QStringLiteral("check: the unit has no LINE 4 port."));
    const QCommandLineOption noModem2(QStringLiteral("no-modem2"), QStringLiteral("check: the unit has no Modem 2."));
    const QCommandLineOption modem2Mode(QStringLiteral("modem2-mode"), QStringLiteral("check: the mode of Modem 2."),
                                        QStringLiteral("n"), QStringLiteral("0"));
    const QCommandLineOption onePlusZero(QStringLiteral("one-plus-zero-inactive"),
                                         QStringLiteral("check: the unit's 1+0 mode is inactive."));
    const QCommandLineOption vlanActive(QStringLiteral("vlan-active-in-ethernet"),
                                        QStringLiteral("check: VLAN is active in the unit's Ethernet properties."));
    parser.addOptions({kind, json, output, catalogue, noLine4, noModem2, modem2Mode, onePlusZero, vlanActive});

    if (!parser.parse(QCoreApplication::arguments())) {
        printToolMessage(parser.errorText());
        return ToolTrouble;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        toolOut(parser.helpText());
        return ToolDone;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        toolOut(QStringLiteral("odu-switch %1\n").arg(QCoreApplication::applicationVersion()));
        return ToolDone;
    }

    ToolOptions options;
    if (parser.isSet(kind)) {
        options.kind = arrayKindFromKey(parser.value(kind));
        if (!options.kind) {
            printToolMessage(QStringLiteral("--kind takes qos or vlan"));
            return ToolTrouble;
        }
    }
    options.json = parser.isSet(json);
    options.output = parser.value(output);
    options.catalogue = parser.value(catalogue);
    options.facts.vlan.hasLine4 = !parser.isSet(noLine4);
    options.facts.vlan.onePlusZeroInactive = parser.isSet(onePlusZero);
    options.facts.vlan.vlanActiveInEthernet = parser.isSet(vlanActive);
    options.facts.modem2Present = !parser.isSet(noModem2);
    bool modeOk = false;
    options.facts.modem2Mode = parser.value(modem2Mode).toUInt(&modeOk);
    if (!modeOk || options.facts.modem2Mode > 255) {
        printToolMessage(QStringLiteral("--modem2-mode takes a number from 0 to 255"));
        return ToolTrouble;
    }

    QStringList args = parser.positionalArguments();
    if (args.isEmpty()) {
        printToolMessage(QStringLiteral("no command; try --help"));
        return ToolTrouble;
    }
    const QString command = args.takeFirst();
    if (command == QLatin1String("show"))
        return showCommand(args, options);
    if (command == QLatin1String("diff"))
        return diffCommand(args, options);
    if (command == QLatin1String("check"))
        return checkCommand(args, options);
    if (command == QLatin1String("set"))
        return setCommand(args, options);
    if (command == QLatin1String("encode"))
        return encodeCommand(args, options);
    if (command == QLatin1String("default"))
        return defaultCommand(args, options);
    printToolMessage(QStringLiteral("unknown command \"%1\"; try --help").arg(command));
    return ToolTrouble;
}

} // namespace

int main(int argc, char* argv[])
{
    return runTool(QStringLiteral("odu-switch"), [&] {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("odu-switch"));
        QCoreApplication::setApplicationVersion(QStringLiteral(ODU_SWITCH_VERSION));
        return runCommand();
    });
}
