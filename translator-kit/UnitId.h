// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringView>

// The XLIFF trans-unit id of a catalogue key, safe for every tool that copies
// it into its own format (lconvert's .ts, xliff2po's references and
// msgctxt): ASCII letters, digits and '_' as they are, every other byte of
// the key's UTF-8 as '-' and two upper-case hexadecimal digits, after the
// section and a '.': "QOS.-26Ok" for [QOS] &Ok, "VLAN.set_button". No '&',
// blank or '|'. Those tools keep the id but drop resname and groups, so the
// id alone names the key.
QString unitIdOf(const QString& section, const QString& key);

// The section and key of such an id (hexadecimal digits of either case);
// false, leaving both untouched, for anything else: no '.', an empty section
// or key, a section that is not letters, digits and '_', a character outside
// those and '-', a '-' without two hexadecimal digits, bytes that are not
// UTF-8.
bool keyOfUnitId(QStringView id, QString& section, QString& key);
