// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/OduSwitchCoreExport.h"
#include "core/QosConfig.h"
#include "core/VlanConfig.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

/// \file
/// Every field of the two configuration arrays by name: where it lies, what
/// values it takes and what those values are called, in the English words
/// of the dialogs' captions. Together the fields of an array cover each of its
/// bits exactly once, reserved bits included, so an array can be shown, edited
/// by name and rebuilt from its field values without losing a bit.

/// The two kinds of configuration array.
enum class ArrayKind {
    Qos,  ///< the 40-byte QoS configuration array
    Vlan, ///< the 82-byte VLAN configuration array
};

/// 40 or 82.
constexpr int arrayBytes(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? kQosConfigSize : kVlanConfigSize;
}
/// "qos" or "vlan", as the tool and the JSON form name the kinds.
ODU_SWITCH_CORE_EXPORT QString arrayKindKey(ArrayKind kind);
/// The kind that arrayKindKey names \p key ("qos" or "vlan", in any letter case);
/// nullopt for any other text.
ODU_SWITCH_CORE_EXPORT std::optional<ArrayKind> arrayKindFromKey(const QString& key);
/// The kind an array of this many bytes is; nullopt for any other size.
ODU_SWITCH_CORE_EXPORT std::optional<ArrayKind> arrayKindForSize(qsizetype bytes);

/// How a field's value is shown and typed.
enum class FieldKind {
    Number,   ///< a plain number
    Flag,     ///< a check box: off or on
    Choice,   ///< an item of a list; values past the list have no name
    Reserved, ///< bits no dialog uses, shown as the raw bits of their byte
};

/// One field of a configuration array: its name, captions, place and
/// values. The catalogue's fields are built once and never change, so a
/// reference to one stays valid and may be read from any thread.
struct FieldSpec
{
    QString name;   ///< unique key, e.g. "default_vid.line2", "static_vlan.3.nms"
    QString group;  ///< caption of the page or box, e.g. "Default VID"
    QString label;  ///< caption of the row, e.g. "LINE 2"
    FieldKind kind = FieldKind::Number; ///< how its value is shown and typed
    /// Number, Flag, Choice: the field's first bit in the array, bits
    /// numbered from bit 0 of byte 0, little-endian across bytes.
    int bit = 0;
    int width = 0; ///< Number, Flag, Choice: the number of bits from `bit`
    /// Reserved: the byte that holds the bits.
    int byte = 0;
    unsigned mask = 0; ///< Reserved: the bits of `byte`; the value keeps their places
    QStringList valueNames; ///< Choice: the name of each value from 0

    /// The largest value the field holds.
    ODU_SWITCH_CORE_EXPORT unsigned maximum() const;
    /// Whether a value fits the field (for Reserved: no bit outside the mask).
    ODU_SWITCH_CORE_EXPORT bool accepts(unsigned value) const;
};

/// The fields of an array kind in array order, grouped as the dialogs group
/// them. Built once; the references stay valid.
ODU_SWITCH_CORE_EXPORT const QList<FieldSpec>& fieldCatalogue(ArrayKind kind);
/// The field with this name, or null.
ODU_SWITCH_CORE_EXPORT const FieldSpec* findField(ArrayKind kind, const QString& name);

/// The field's value in an array of the field's kind.
ODU_SWITCH_CORE_EXPORT unsigned readField(const FieldSpec& field, const unsigned char* cfg);
/// Writes an accepted value; changes no other bit. A value the field does
/// not accept is cut to the field's bits.
ODU_SWITCH_CORE_EXPORT void writeField(const FieldSpec& field, unsigned char* cfg, unsigned value);

/// A value in words: the item name of a Choice (or the number when the item
/// has none), "on"/"off" for a Flag, a number, or for Reserved bits "0x" and
/// two hexadecimal digits.
ODU_SWITCH_CORE_EXPORT QString fieldValueText(const FieldSpec& field, unsigned value);
/// A number as a value is written, on the command line and in JSON strings:
/// decimal digits, or "0x" (or "0X") and hexadecimal digits, with nothing
/// else (no sign, no blank after the "0x", nothing after the digits) but
/// spaces and tabs around it. nullopt when the text is none of these or the
/// number does not fit 32 bits.
ODU_SWITCH_CORE_EXPORT std::optional<unsigned> fieldNumberFromText(QStringView text);
/// Reads a value typed by a user: an item name (any letter case), "on",
/// "off", "true", "false" for a Flag, or a number as fieldNumberFromText
/// reads it that the field accepts; spaces and tabs around it are ignored.
/// nullopt when it is none of these.
ODU_SWITCH_CORE_EXPORT std::optional<unsigned> parseFieldValue(const FieldSpec& field, const QString& text);
/// The accepted values in words, for messages: "0 to 4095", "off or on",
/// "Disable, Single Tag, Double Tag or 0 to 3", "bits 0x88 of the byte".
ODU_SWITCH_CORE_EXPORT QString fieldValueRange(const FieldSpec& field);
