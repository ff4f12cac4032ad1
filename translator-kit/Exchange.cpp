// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/Exchange.h"

#include "core/CatalogueFile.h"
#include "translator-kit/CaptionIndex.h"
#include "translator-kit/CatalogueText.h"
#include "translator-kit/SampleDialogs.h"
#include "translator-kit/UnitId.h"
#include "translator-kit/GeometryCheck.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDateTime>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QXmlStreamWriter>

#include <algorithm>
#include <optional>

namespace {

QString idOf(const QString& section, const QString& key)
{
    return section.toLower() + QLatin1Char('\n') + key.toLower();
}

QString oneLine(const QString& text)
{
    static const QRegularExpression breaks(QStringLiteral("[\r\n]+"));
    return QString(text).replace(breaks, QStringLiteral(" "));
}

// The msgid of a key: the text a catalogue value replaces.
QString sourceOf(const KnownKey& key)
{
    return oneLine(key.englishTexts.value(0));
}

struct Translation
{
    QString value;
    bool markedSame = false;
};

// What an exported entry tells the translator's tool.
enum class EntryState
{
    Untranslated, // empty msgstr, no XLIFF target: the English text shows
    Fuzzy,        // a translation to look at again
    Translated,
};

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// A value that is still the English text is no translation: exported as one,
// a translator's tool would count it done and show nothing to do. Only a
// value identical to the one English text it replaces is left out; a value
// that stands for two English texts, or for one with a line break, changes
// what the dialogs show and is kept, for review. So is one that differs from
// the English text only in its accelerator mark or surrounding blanks.
EntryState stateOf(const KnownKey& key, const Translation& t)
{
    if (t.value.isEmpty())
        return EntryState::Untranslated;
    if (t.markedSame)
        return EntryState::Translated;
    const bool plain = key.englishTexts.size() == 1 && !hasLineBreak(key.englishTexts.front());
    if (plain && t.value == key.englishTexts.front())
        return EntryState::Untranslated;
    for (const QString& english : key.englishTexts) {
        if (shownText(t.value) == shownText(english))
            return EntryState::Fuzzy;
    }
    return EntryState::Translated;
}

bool blankEnds(const QString& text)
{
    return !text.isEmpty() && (text.front().isSpace() || text.back().isSpace());
}

// A PO text as the catalogue line holds it: a text with blanks at either end
// in double quotes, so that a tool writing INI from the PO (po2ini) keeps
// them. Only where the English text has them: the import takes one pair of
// quotes around both texts for the catalogue's quoting.
QString poText(const QString& text, const QString& english)
{
    return blankEnds(english) && blankEnds(text) ? QLatin1Char('"') + text + QLatin1Char('"') : text;
}

QHash<QString, Translation> translationsOf(const QString& catalogueText)
{
    QHash<QString, Translation> out;
    const QList<int> marked = sameAsEnglishLines(catalogueText);
    forEachCatalogueLine(catalogueText, [&](const CatalogueLine& l) {
        const QString id = idOf(l.section.trimmed().toString(), l.key.toString());
        if (l.value.isEmpty() || out.contains(id))
            return; // the dialogs read the first non-empty value
        out.insert(id, {l.value.toString(), marked.contains(l.lineNumber)});
    });
    return out;
}

QString poEscape(const QString& text)
{
    QString out;
    for (QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QStringLiteral("\\\\"); break;
        case '"': out += QStringLiteral("\\\""); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default: out += c;
        }
    }
    return QLatin1Char('"') + out + QLatin1Char('"');
}

QStringList notesOf(const KnownKey& key, const KeyRoom* room)
{
    QStringList notes;
    if (room)
        notes += room->places;
    if (key.englishTexts.size() > 1)
        notes += QStringLiteral("One translation serves %1 English texts: \"%2\".")
                     .arg(key.englishTexts.size())
                     .arg(key.englishTexts.join(QStringLiteral("\", \"")));
    if (key.englishTexts.value(0).contains(QLatin1Char('\n')))
        notes += QStringLiteral("The English text has a line break; the translation is one line.");
    if (key.message())
        notes += QStringLiteral("A message: shown in a message box or status line, which wraps long text.");
    else if (std::any_of(key.englishTexts.begin(), key.englishTexts.end(),
                         [](const QString& t) { return shownText(t) != t.simplified(); }))
        notes += QStringLiteral("Keep one '&' before the letter that selects the control (\"&&\" shows an "
                                "ampersand); in CJK or cursive scripts add \"(&X)\" after the caption.");
    if (room && room->room > 0)
        notes += room->maxWidth > 0
            ? QStringLiteral("Room: %1 px at 96 dpi as laid out in English; the dialog outgrows a 1280 px "
                             "screen past %2 px (about %3 characters).")
                  .arg(room->room)
                  .arg(room->maxWidth)
                  .arg(room->maxLength)
            : QStringLiteral("Room: %1 px at 96 dpi as laid out in English.").arg(room->room);
    return notes;
}

const KeyRoom* roomOf(const std::vector<KeyRoom>& rooms, const KnownKey& key)
{
    for (const KeyRoom& room : rooms) {
        if (room.section == key.section && room.key == key.key)
            return &room;
    }
    return nullptr;
}

// The translate toolkit's quoting of a location.
QString quotePlus(const QString& text)
{
    QString out;
    for (unsigned char byte : text.toUtf8()) {
        if ((byte < 0x80 && std::isalnum(byte)) || QByteArrayView("_.-~[]()/:,@").contains(char(byte)))
            out += QLatin1Char(char(byte));
        else if (byte == ' ')
            out += QLatin1Char('+');
        else
            out += QStringLiteral("%%1").arg(uint(byte), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

} // namespace

QString locationOf(const QString& section, const QString& key)
{
    return quotePlus(QStringLiteral("[%1]%2").arg(section, key));
}

std::vector<KeyRoom> measureKeyRooms(const CaptionIndex& index)
{
    std::vector<KeyRoom> rooms;
    for (const KnownKey& key : index.keys())
        rooms.push_back({key.section, key.key, {}, 0, 0, 0});
    forEachSampleDialog(QString(), [&](const QString& dialog, QWidget* window) {
        for (size_t k = 0; k < index.keys().size(); ++k) {
            const KnownKey& key = index.keys()[k];
            KeyRoom& room = rooms[k];
            for (const CaptionUse& use : key.uses) {
                if (use.dialog != dialog)
                    continue;
                const QString place = use.message ? QStringLiteral("%1: %2").arg(dialog, use.control)
                    : use.page.isEmpty()          ? QStringLiteral("%1: %2").arg(dialog, use.control)
                                                  : QStringLiteral("%1, page \"%2\": %3").arg(dialog, use.page, use.control);
                if (!room.places.contains(place))
                    room.places.append(place);
                const QStringList words = use.control.split(QLatin1Char(' '));
                QWidget* widget = window->findChild<QWidget*>(words.value(0));
                if (!widget || use.message)
                    continue;
                int width = widget->width();
                if (auto* tabs = qobject_cast<QTabWidget*>(widget); tabs && words.value(1) == QLatin1String("tab"))
                    width = tabs->tabBar()->tabRect(words.value(2).toInt()).width();
                else if (auto* grid = qobject_cast<QTableWidget*>(widget); grid && words.value(1) == QLatin1String("heading"))
                    width = grid->columnWidth(words.value(2).toInt());
                else if (auto* grid = qobject_cast<QTableWidget*>(widget); grid && words.value(1) == QLatin1String("row"))
                    width = grid->columnWidth(0);
                // The narrowest place sets the room.
                if (room.room == 0 || width < room.room) {
                    room.room = width;
                    const int grow = kScreenWidth - window->frameGeometry().width();
                    room.maxWidth = grow > 0 ? width + grow : width;
                    room.maxLength = room.maxWidth / qMax(1, widget->fontMetrics().averageCharWidth());
                }
            }
        }
    });
    return rooms;
}

QString exportPo(const CaptionIndex& index, const std::vector<KeyRoom>& rooms, const QString& catalogueText,
                 const QString& language)
{
    const QHash<QString, Translation> translations = translationsOf(catalogueText);
    QString out;
    out += QStringLiteral("# Language catalogue of the QoS and VLAN dialogs%1.\n")
               .arg(language.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(language));
    out += QStringLiteral("msgid \"\"\nmsgstr \"\"\n");
    const QStringList header{
        QStringLiteral("Project-Id-Version: odu-switch-dialogs\\n"),
        QStringLiteral("Report-Msgid-Bugs-To: \\n"),
        QStringLiteral("PO-Revision-Date: %1\\n")
            .arg(QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyy-MM-dd HH:mm+0000"))),
        QStringLiteral("Last-Translator: \\n"),
        QStringLiteral("Language-Team: %1\\n").arg(language),
        QStringLiteral("Language: %1\\n").arg(language),
        QStringLiteral("MIME-Version: 1.0\\n"),
        QStringLiteral("Content-Type: text/plain; charset=UTF-8\\n"),
        QStringLiteral("Content-Transfer-Encoding: 8bit\\n"),
        QStringLiteral("X-Generator: odu-switch-translate\\n"),
    };
    for (const QString& h : header)
        out += QLatin1Char('"') + h + QStringLiteral("\"\n");
    for (const KnownKey& key : index.keys()) {
        const KeyRoom* room = roomOf(rooms, key);
        out += QLatin1Char('\n');
        for (const QString& note : notesOf(key, room))
            out += QStringLiteral("#. ") + note + QLatin1Char('\n');
        if (blankEnds(sourceOf(key)))
            out += QStringLiteral("#. The double quotes keep the blanks at the ends in the catalogue: keep them "
                                  "around the translation.\n");
        out += QStringLiteral("#: ") + locationOf(key.section, key.key) + QLatin1Char('\n');
        const Translation t = translations.value(idOf(key.section, key.key));
        const EntryState state = stateOf(key, t);
        QStringList flags;
        if (state == EntryState::Fuzzy)
            flags += QStringLiteral("fuzzy");
        if (room && room->maxLength > 0)
            flags += QStringLiteral("max-length:%1").arg(room->maxLength);
        if (!flags.isEmpty())
            out += QStringLiteral("#, ") + flags.join(QStringLiteral(", ")) + QLatin1Char('\n');
        const QString source = sourceOf(key);
        out += QStringLiteral("msgctxt ") + poEscape(key.section + QLatin1Char('|') + key.key) + QLatin1Char('\n');
        out += QStringLiteral("msgid ") + poEscape(poText(source, source)) + QLatin1Char('\n');
        out += QStringLiteral("msgstr ")
            + poEscape(state == EntryState::Untranslated ? QString() : poText(t.value, source)) + QLatin1Char('\n');
    }
    return out;
}

namespace {

// The first character of text that XML 1.0 has no place for.
std::optional<char32_t> notInXml(const QString& text)
{
    for (char32_t c : text.toUcs4()) {
        const bool allowed = c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF)
            || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (!allowed)
            return c;
    }
    return std::nullopt;
}

} // namespace

QString exportXliff(const CaptionIndex& index, const std::vector<KeyRoom>& rooms, const QString& catalogueText,
                    const QString& language, QString* error)
{
    const QHash<QString, Translation> translations = translationsOf(catalogueText);
    QString out;
    QXmlStreamWriter xml(&out);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("xliff"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.2"));
    xml.writeDefaultNamespace(QStringLiteral("urn:oasis:names:tc:xliff:document:1.2"));
    xml.writeStartElement(QStringLiteral("file"));
    xml.writeAttribute(QStringLiteral("original"), QStringLiteral("odu-switch-dialogs"));
    xml.writeAttribute(QStringLiteral("datatype"), QStringLiteral("plaintext"));
    xml.writeAttribute(QStringLiteral("source-language"), QStringLiteral("en"));
    if (!language.isEmpty())
        xml.writeAttribute(QStringLiteral("target-language"), QString(language).replace(QLatin1Char('_'), QLatin1Char('-')));
    xml.writeStartElement(QStringLiteral("body"));
    for (const QString& section : index.sections()) {
        xml.writeStartElement(QStringLiteral("group"));
        xml.writeAttribute(QStringLiteral("id"), section);
        xml.writeAttribute(QStringLiteral("resname"), section);
        for (const KnownKey& key : index.keys()) {
            if (key.section != section)
                continue;
            const KeyRoom* room = roomOf(rooms, key);
            const Translation t = translations.value(idOf(key.section, key.key));
            const EntryState state = stateOf(key, t);
            if (const std::optional<char32_t> c = notInXml(t.value); c && state != EntryState::Untranslated) {
                // The XML writer would drop it without a word.
                if (error)
                    *error = QStringLiteral("[%1] %2: the value holds U+%3, which XML cannot carry; remove it, "
                                            "or export --format po")
                                 .arg(key.section, key.key)
                                 .arg(QString::number(uint(*c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
                return {};
            }
            xml.writeStartElement(QStringLiteral("trans-unit"));
            xml.writeAttribute(QStringLiteral("id"), unitIdOf(key.section, key.key));
            xml.writeAttribute(QStringLiteral("resname"), key.key);
            if (state == EntryState::Translated)
                xml.writeAttribute(QStringLiteral("approved"), QStringLiteral("yes"));
            if (room && room->maxWidth > 0) {
                xml.writeAttribute(QStringLiteral("maxwidth"), QString::number(room->maxWidth));
                xml.writeAttribute(QStringLiteral("size-unit"), QStringLiteral("pixel"));
            }
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeTextElement(QStringLiteral("source"), sourceOf(key));
            if (state != EntryState::Untranslated) {
                xml.writeStartElement(QStringLiteral("target"));
                xml.writeAttribute(QStringLiteral("state"), state == EntryState::Translated
                                                                ? QStringLiteral("translated")
                                                                : QStringLiteral("needs-review-translation"));
                xml.writeCharacters(t.value);
                xml.writeEndElement();
            }
            // The id again as the unit's location, in translate-toolkit's
            // form: its xliff2po writes it as the PO entry's reference (the
            // versions after 3.8 no longer take the id for one), so the key
            // survives the trip to PO and back.
            xml.writeStartElement(QStringLiteral("context-group"));
            xml.writeAttribute(QStringLiteral("name"), QStringLiteral("po-reference"));
            xml.writeAttribute(QStringLiteral("purpose"), QStringLiteral("location"));
            xml.writeStartElement(QStringLiteral("context"));
            xml.writeAttribute(QStringLiteral("context-type"), QStringLiteral("sourcefile"));
            xml.writeCharacters(unitIdOf(key.section, key.key));
            xml.writeEndElement();
            xml.writeEndElement();
            for (const QString& note : notesOf(key, room)) {
                xml.writeStartElement(QStringLiteral("note"));
                xml.writeAttribute(QStringLiteral("from"), QStringLiteral("developer"));
                xml.writeCharacters(note);
                xml.writeEndElement();
            }
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return out;
}

ImportResult importTranslations(const QString& text, const CaptionIndex& index, const QString& language)
{
    // Peers keep the unit ids of the kit's XLIFF (as their own ids, as PO
    // references): whatever form the export gives them, its own output says
    // which key each stands for.
    return importEntries(text, index, language, unitIdsOf(exportXliff(index, {}, QString(), QString()), index));
}
