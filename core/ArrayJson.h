// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "core/FieldCatalogue.h"
#include "core/OduSwitchCoreExport.h"
#include "core/Result.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

/// \file
/// The JSON form of a configuration array, format 1:
///
/// \code{.unparsed}
/// { "format": 1, "kind": "qos" | "vlan", "size": 40 | 82, "blank": bool,
///   "fields": { "<field name>": <value>, ... } }
/// \endcode
///
/// (show --json adds "file", the file it read), with every field of the
/// catalogue (keys in alphabetical order). A Flag is true or false;
/// a Choice is its item name, or its number when the item has none; a Number
/// or Reserved field is a number. The fields cover every bit, so turning the
/// JSON back into bytes gives the array it came from. The functions keep no
/// state; any thread.

/// The format number that arrayToJson writes and arrayFromJson reads.
constexpr int kArrayJsonFormat = 1;

/// The JSON form of \p cfg; an empty object when \p cfg does not hold
/// exactly the kind's arrayBytes() bytes (arrayKindForSize tells the kind of
/// a size), so that a short array is never read past its end.
ODU_SWITCH_CORE_EXPORT QJsonObject arrayToJson(ArrayKind kind, const QByteArray& cfg);

/// The array a JSON object describes. "format" must be 1 and "kind" given
/// exactly ("qos" or "vlan"); a key the format lacks is an error;
/// fields that the object leaves out keep the kind's default image; an
/// unknown field, a value the field does not take or a "size" other than the
/// kind's is an error, which says why the JSON does not describe an array.
ODU_SWITCH_CORE_EXPORT Result<QByteArray> arrayFromJson(const QJsonObject& object);

/// A field's value as the JSON form writes it.
ODU_SWITCH_CORE_EXPORT QJsonValue fieldValueToJson(const FieldSpec& field, unsigned value);
/// A field's value read from the JSON form: a Flag's true or false, a
/// Choice's item name or any text parseFieldValue takes, or a whole JSON
/// number; nullopt when it is none of these or the field does not take it.
ODU_SWITCH_CORE_EXPORT std::optional<unsigned> fieldValueFromJson(const FieldSpec& field, const QJsonValue& value);
