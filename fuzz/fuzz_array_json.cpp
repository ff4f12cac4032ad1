// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// Any bytes as the JSON of an array, as `odu-switch encode` reads it: the
// strict reader, then the array the JSON describes. Checked: an error names
// an offset inside the text; what the strict reader takes, Qt's own reader
// takes with the same value (the strict one only refuses more: repeated
// keys, numbers other than whole ones); an array made from JSON has its
// kind's size, and its own JSON reads back to the same bytes; a value taken
// from a string is an item name, on/off/true/false, or digits or 0x and hex
// digits with nothing else but blanks around them.

#include "fuzz/FuzzSupport.h"
#include "core/ArrayJson.h"
#include "core/StrictJson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

namespace {

bool isWrittenNumber(const QString& text)
{
    static const QRegularExpression number(QStringLiteral("^[ \\t]*(?:[0-9]+|0[xX][0-9A-Fa-f]+)[ \\t]*$"));
    return number.match(text).hasMatch();
}

bool isName(const FieldSpec& field, const QString& text)
{
    const QString t = text.trimmed();
    for (const QString& name : field.valueNames)
        if (t.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    for (const char* word : {"on", "off", "true", "false"})
        if (t.compare(QLatin1String(word), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

void checkArray(const QJsonObject& object)
{
    const Result<QByteArray> made = arrayFromJson(object);
    if (!made.ok())
        return;
    const std::optional<ArrayKind> kind = arrayKindForSize(made->size());
    FUZZ_CHECK(kind.has_value(), "an array of %lld bytes was made", (long long)made->size());

    const QJsonObject fields = object.value(QStringLiteral("fields")).toObject();
    for (auto it = fields.begin(); it != fields.end(); ++it) {
        if (!it.value().isString())
            continue;
        const FieldSpec* f = findField(*kind, it.key());
        FUZZ_CHECK(f, "an unknown field was taken");
        FUZZ_CHECK(isWrittenNumber(it.value().toString()) || isName(*f, it.value().toString()),
                   "a value outside the grammar was taken for %s", qPrintable(it.key()));
    }

    // The array's own JSON, as show --json prints it, reads back whole.
    const QByteArray again = QJsonDocument(arrayToJson(*kind, made.value())).toJson(QJsonDocument::Indented);
    const StrictJson reread = parseStrictJson(again);
    FUZZ_CHECK(reread.ok(), "the reader refuses the tool's own JSON: %s",
               reread.ok() ? "" : qPrintable(reread.error().message));
    const Result<QByteArray> remade = arrayFromJson(reread->toObject());
    FUZZ_CHECK(remade.ok() && remade.value() == made.value(), "the array's own JSON gives other bytes");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text = byteImage(data, size);
    const StrictJson parsed = parseStrictJson(text);
    if (!parsed.ok()) {
        FUZZ_CHECK(parsed.error().offset >= 0 && parsed.error().offset <= text.size(), "an error outside the text");
        return 0;
    }
    if (parsed->isObject() || parsed->isArray()) {
        QJsonParseError error;
        const QJsonDocument lenient = QJsonDocument::fromJson(text, &error);
        FUZZ_CHECK(error.error == QJsonParseError::NoError, "Qt's reader refuses what the strict one took: %s",
                   qPrintable(error.errorString()));
        const QJsonValue value = lenient.isObject() ? QJsonValue(lenient.object()) : QJsonValue(lenient.array());
        FUZZ_CHECK(value == parsed.value(), "the two readers read different values");
    }
    if (parsed->isObject())
        checkArray(parsed->toObject());
    else if (parsed->isArray() && parsed->toArray().size() == 1)
        checkArray(parsed->toArray().at(0).toObject());
    return 0;
}
