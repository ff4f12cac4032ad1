// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "host/app/UnitState.h"

#include <QByteArray>

class QWidget;
class TIniFile;

// One modal run of a dialog over a unit's array, in the order a host must
// follow: keep the cancel copy if wanted, construct the dialog with new over
// the host's bytes, exec(), read the result and the array, destroy the dialog.

struct DialogRun
{
    ArrayKind kind = ArrayKind::Qos;
    bool isLocal = true;
    int result = 0;        // modal result: 1 OK, 2 cancel
    int reportedSize = 0;  // what the constructor wrote behind cfgSize
    QByteArray before;     // the array before construction
    QByteArray afterConstruction; // after the constructor (blank rule applied)
    QByteArray written;    // the array as the dialog left it
    bool restored = false; // the cancel copy was put back
    QByteArray kept;       // the array the host keeps
};

// Opens the QoS dialog modally over `cfg` (40 bytes) and returns what
// happened; `cfg` ends up as `kept`. `langIni` must outlive the call.
DialogRun runQosDialog(QWidget* owner, bool isLocal, TIniFile* langIni, QByteArray& cfg,
                       bool discardOnCancel);

// The same for the VLAN dialog over `cfg` (82 bytes) with the unit's facts.
DialogRun runVlanDialog(QWidget* owner, bool isLocal, TIniFile* langIni, QByteArray& cfg,
                        const UnitFacts& facts, bool discardOnCancel);
