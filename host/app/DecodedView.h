// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// Every field of a configuration array in words, from the core's field
// catalogue: the same groups, captions and value names as the odu-switch
// tool shows, so the project has one decoder.

struct DecodedField
{
    QString group; // e.g. "Port Priority (0 Low-7 High)"
    QString name;  // e.g. "LINE 3"
    QString value; // e.g. "5"
    friend bool operator==(const DecodedField&, const DecodedField&) = default;
};

// The fields of a 40-byte QoS array, in the catalogue's order, after the
// array's state and followed by a summary of the queues. An array of another
// size decodes to one "Array" field saying so.
QList<DecodedField> decodeQos(const QByteArray& cfg);

// The fields of an 82-byte VLAN array.
QList<DecodedField> decodeVlan(const QByteArray& cfg);

// The value of a field, or a null string when there is none.
QString decodedValue(const QList<DecodedField>& fields, const QString& group, const QString& name);

// "Group / name: value" lines, for printing and for comparing decodings.
QString decodedText(const QList<DecodedField>& fields);

// A number list in short form: runs of three or more consecutive numbers as
// "a–b", others separated by ", "; "none" when empty. {0,1,2,3,7} -> "0–3, 7".
QString numberRuns(const QList<int>& numbers);
