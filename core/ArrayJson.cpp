// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/ArrayJson.h"

#include <QJsonValue>

#include <algorithm>
#include <cmath>

QJsonValue fieldValueToJson(const FieldSpec& field, unsigned value)
{
    switch (field.kind) {
    case FieldKind::Flag:
        return value != 0;
    case FieldKind::Choice:
        if (value < unsigned(field.valueNames.size()))
            return field.valueNames.at(qsizetype(value));
        return qint64(value);
    case FieldKind::Number:
    case FieldKind::Reserved:
        break;
    }
    return qint64(value);
}

std::optional<unsigned> fieldValueFromJson(const FieldSpec& field, const QJsonValue& value)
{
    if (value.isBool()) {
        if (field.kind != FieldKind::Flag)
            return std::nullopt;
        return value.toBool() ? 1u : 0u;
    }
    if (value.isString())
        return parseFieldValue(field, value.toString());
    if (value.isDouble()) {
        const double d = value.toDouble();
        if (d < 0 || d > double(field.maximum()) || std::floor(d) != d)
            return std::nullopt;
        const unsigned v = unsigned(d);
        if (!field.accepts(v))
            return std::nullopt;
        return v;
    }
    return std::nullopt;
}

QJsonObject arrayToJson(ArrayKind kind, const QByteArray& cfg)
{
    if (cfg.size() != arrayBytes(kind))
        return {};
    const auto* bytes = reinterpret_cast<const unsigned char*>(cfg.constData());
    QJsonObject fields;
    for (const FieldSpec& f : fieldCatalogue(kind))
        fields.insert(f.name, fieldValueToJson(f, readField(f, bytes)));
    QJsonObject object;
    object.insert(QStringLiteral("format"), kArrayJsonFormat);
    object.insert(QStringLiteral("kind"), arrayKindKey(kind));
    object.insert(QStringLiteral("size"), arrayBytes(kind));
    object.insert(QStringLiteral("blank"), kind == ArrayKind::Qos ? QosConfigArray::isBlank(bytes)
                                                                   : VlanConfigArray::isBlank(bytes));
    object.insert(QStringLiteral("fields"), fields);
    return object;
}

Result<QByteArray> arrayFromJson(const QJsonObject& object)
{
    // A key the format does not have is a misspelling ("feilds") whose
    // content would otherwise be dropped without a word.
    static const QStringList known{QStringLiteral("blank"), QStringLiteral("fields"), QStringLiteral("file"),
                                   QStringLiteral("format"), QStringLiteral("kind"), QStringLiteral("size")};
    for (auto it = object.begin(); it != object.end(); ++it)
        if (!known.contains(it.key()))
            return Failure(QStringLiteral("no key \"%1\" in the format (it has %2)")
                               .arg(it.key(), known.join(QStringLiteral(", "))));
    const QJsonValue format = object.value(QStringLiteral("format"));
    if (!format.isDouble() || format.toDouble() != kArrayJsonFormat)
        return Failure(QStringLiteral("\"format\" must be %1").arg(kArrayJsonFormat));
    // Written as show --json writes it: the format is exact.
    const QString kindKey = object.value(QStringLiteral("kind")).toString();
    std::optional<ArrayKind> kind;
    for (const ArrayKind k : {ArrayKind::Qos, ArrayKind::Vlan})
        if (kindKey == arrayKindKey(k))
            kind = k;
    if (!kind)
        return Failure(QStringLiteral("\"kind\" must be \"qos\" or \"vlan\""));
    const QJsonValue blank = object.value(QStringLiteral("blank"));
    if (!blank.isUndefined() && !blank.isBool())
        return Failure(QStringLiteral("\"blank\" must be true or false"));
    const QJsonValue file = object.value(QStringLiteral("file"));
    if (!file.isUndefined() && !file.isString())
        return Failure(QStringLiteral("\"file\" must be a string"));
    const QJsonValue size = object.value(QStringLiteral("size"));
    if (!size.isUndefined() && size.toDouble() != arrayBytes(*kind))
        return Failure(QStringLiteral("\"size\" of a %1 array must be %2").arg(arrayKindKey(*kind)).arg(arrayBytes(*kind)));
    const QJsonValue fieldsValue = object.value(QStringLiteral("fields"));
    if (!fieldsValue.isUndefined() && !fieldsValue.isObject())
        return Failure(QStringLiteral("\"fields\" must be an object"));

    QByteArray bytes(arrayBytes(*kind), '\0');
    auto* raw = reinterpret_cast<unsigned char*>(bytes.data());
    if (*kind == ArrayKind::Qos)
        std::copy(QosConfigArray::defaultImage().begin(), QosConfigArray::defaultImage().end(), raw);
    else
        std::copy(VlanConfigArray::defaultImage().begin(), VlanConfigArray::defaultImage().end(), raw);

    const QJsonObject fields = fieldsValue.toObject();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        const FieldSpec* f = findField(*kind, it.key());
        if (!f)
            return Failure(QStringLiteral("no field \"%1\" in a %2 array").arg(it.key(), arrayKindKey(*kind)));
        const std::optional<unsigned> v = fieldValueFromJson(*f, it.value());
        if (!v)
            return Failure(QStringLiteral("field \"%1\" takes %2").arg(f->name, fieldValueRange(*f)));
        writeField(*f, raw, *v);
    }
    return bytes;
}
