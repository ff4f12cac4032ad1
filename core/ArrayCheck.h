// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/FieldCatalogue.h"
#include "core/OduSwitchCoreExport.h"
#include "core/VlanCommit.h"

#include <QList>
#include <QString>

class TIniFile;

/// \file
/// Checks of a saved configuration array without a window: what the dialogs
/// would refuse, and what no dialog looks at but is likely a mistake.

/// The facts about a unit that its dialogs take besides the array.
struct UnitFactsForCheck
{
    VlanHostFacts vlan;        ///< what the VLAN dialog's Set consults
    bool modem2Present = true; ///< Set does not consult these two; the warnings about
    unsigned modem2Mode = 0;   ///< Modem 2's Default VID do (vlanFieldsInMode)
};

/// One thing checkArray found in an array.
struct ArrayFinding
{
    /// How bad it is.
    enum Severity {
        Refusal, ///< a dialog would refuse the array as it is (its Set, or the QoS weights)
        Warning, ///< accepted, but likely a mistake
    };
    Severity severity = Warning; ///< how bad it is
    QString text;                ///< what was found, in words for a person
    /// Member-wise equality.
    friend bool operator==(const ArrayFinding&, const ArrayFinding&) = default;
};

/// What the VLAN dialog's Set reads when it is pressed right after the dialog
/// has loaded this (non-blank) array: the stored values as the controls show
/// them (a stored mode 3 shows as Double Tag; the forwarding boxes after
/// their rules).
ODU_SWITCH_CORE_EXPORT VlanCommitInput vlanCommitInputAsLoaded(const unsigned char* cfg, const VlanHostFacts& facts);

/// All findings for an array of the kind, in this order: the blank array (the
/// rest then concerns the default image that a dialog puts in its place); the
/// refusal that the VLAN dialog's Set gives, with its message from section
/// "VLAN" of the catalogue (null: English), or the QoS weights rule; then the
/// warnings. Empty when the array is clean.
ODU_SWITCH_CORE_EXPORT QList<ArrayFinding> checkArray(ArrayKind kind, const unsigned char* cfg,
                                                      const UnitFactsForCheck& facts,
                                                      const TIniFile* langIni = nullptr);

/// Only the VLAN dialog's Set over the array as loaded (blank rule applied):
/// what it gives, without the warnings.
ODU_SWITCH_CORE_EXPORT VlanCommitResult vlanSetOutcome(const unsigned char* cfg, const VlanHostFacts& facts);

/// The QoS weights error as one line.
ODU_SWITCH_CORE_EXPORT QString qosWeightsRefusalText();
