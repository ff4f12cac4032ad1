// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// A tool outside the source tree that links only the window-free core: it
// reads, checks and edits arrays by field name without any widget module.
#include <core/ArrayCheck.h>
#include <core/ArrayJson.h>
#include <core/FieldCatalogue.h>
#include <core/IniFile.h>
#include <core/IntegerText.h>
#include <core/StaticVlanTable.h>
#include <core/UnitConstants.h>
#include <core/VlanCommit.h>

#include <QCoreApplication>

#include <cstdio>

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
    QCoreApplication app(argc, argv);
    QByteArray vlan(kVlanConfigSize, char(0xFF));
    auto* raw = reinterpret_cast<unsigned char*>(vlan.data());
    check(VlanConfigArray(raw).applyBlankRule(), "blank rule");

    const FieldSpec* mode = findField(ArrayKind::Vlan, QStringLiteral("vlan_mode"));
    check(mode && fieldValueText(*mode, readField(*mode, raw)) == QStringLiteral("Disable"), "field by name");
    writeField(*mode, raw, *parseFieldValue(*mode, QStringLiteral("Single Tag")));

    const Result<QByteArray> back = arrayFromJson(arrayToJson(ArrayKind::Vlan, vlan));
    check(back.ok() && back.value() == vlan, "JSON round trip");

    TIniFile catalogue{QString()};
    const QList<ArrayFinding> findings = checkArray(ArrayKind::Vlan, raw, UnitFactsForCheck{}, &catalogue);
    check(!findings.isEmpty() && findings.first().severity == ArrayFinding::Warning, "warnings of a Single Tag default");
    check(vlanSetOutcome(raw, VlanHostFacts{}).ok(), "Set accepts it");
    check(textToInteger(QStringLiteral(" 4094")) == kMaxVid, "integer reading");
    check(loadVlanPole(VlanConfigArray(raw)).at(vp_vid).size() == 1, "static VLAN table");

    std::printf("%s\n", failures ? "tool-consumer: FAILED" : "tool-consumer: all checks passed");
    return failures ? 1 : 0;
}
