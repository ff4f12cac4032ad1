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

// The JSON form of a configuration array, format 1:
//
//   { "format": 1, "kind": "qos" | "vlan", "size": 40 | 82, "blank": bool,
//     "fields": { "<field name>": <value>, ... } }
//
// (show --json adds "file", the file it read), with every field of the catalogue (keys in alphabetical order). A Flag is true or false;
// a Choice is its item name, or its number when the item has none; a Number
// or Reserved field is a number. The fields cover every bit, so turning the
// JSON back into bytes gives the array it came from.
constexpr int kArrayJsonFormat = 1;

ODU_SWITCH_CORE_EXPORT QJsonObject arrayToJson(ArrayKind kind, const QByteArray& cfg);

// The array a JSON object describes. "format" must be 1 and "kind" given
// exactly ("qos" or "vlan"); a key the format lacks is an error;
// fields that the object leaves out keep the kind's default image; an
// unknown field, a value the field does not take or a "size" other than the
// kind's is an error, which says why the JSON does not describe an array.
ODU_SWITCH_CORE_EXPORT Result<QByteArray> arrayFromJson(const QJsonObject& object);

// A value for the JSON form and back.
ODU_SWITCH_CORE_EXPORT QJsonValue fieldValueToJson(const FieldSpec& field, unsigned value);
ODU_SWITCH_CORE_EXPORT std::optional<unsigned> fieldValueFromJson(const FieldSpec& field, const QJsonValue& value);
