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
#include <QUrl>
#include <QXmlStreamReader>
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

QString unquotePlus(const QString& text)
{
    QByteArray bytes = text.toUtf8();
    bytes.replace('+', ' ');
    return QUrl::fromPercentEncoding(bytes);
}

QString catalogueValue(const QString& value)
{
    // Blanks at either end, or quotes at both, survive the reader only in quotes.
    const bool quote = value != value.trimmed()
        || (value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"')));
    return quote ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

struct Imported
{
    QString context;  // msgctxt, or the XLIFF id
    QString location; // the first reference
    QString source;
    QString target;
    bool fuzzy = false;
    int line = 0;
    QString name() const
    {
        const QString what = !context.isEmpty() ? context : !location.isEmpty() ? location : source;
        return line > 0 ? QStringLiteral("entry \"%1\" (line %2)").arg(what).arg(line)
                        : QStringLiteral("entry \"%1\"").arg(what);
    }
};

// A PO string's escapes undone; false when one is malformed.
bool poUnescape(QStringView quoted, QString& out)
{
    if (quoted.size() < 2 || !quoted.startsWith(QLatin1Char('"')) || !quoted.endsWith(QLatin1Char('"')))
        return false;
    const QStringView body = quoted.sliced(1, quoted.size() - 2);
    for (qsizetype i = 0; i < body.size(); ++i) {
        const QChar c = body.at(i);
        if (c == QLatin1Char('"'))
            return false;
        if (c != QLatin1Char('\\')) {
            out += c;
            continue;
        }
        if (++i >= body.size())
            return false;
        switch (body.at(i).unicode()) {
        case 'n': out += QLatin1Char('\n'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case 't': out += QLatin1Char('\t'); break;
        case '"': out += QLatin1Char('"'); break;
        case '\\': out += QLatin1Char('\\'); break;
        case 'a': out += QChar(7); break;
        case 'b': out += QChar(8); break;
        case 'f': out += QChar(12); break;
        case 'v': out += QChar(11); break;
        default: return false;
        }
    }
    return true;
}

bool readPo(const QString& text, std::vector<Imported>& entries, QString& language, QString& error)
{
    Imported current;
    QString* field = nullptr;
    QString msgidPlural;
    bool obsolete = false;
    bool any = false;
    auto finish = [&]() {
        if (any && !obsolete)
            entries.push_back(current);
        current = Imported();
        field = nullptr;
        obsolete = false;
        any = false;
    };
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\\r\\n|\\r|\\n")));
    bool inStrings = false; // the entry's strings have begun: a comment starts a new one
    for (qsizetype n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        const int number = int(n + 1);
        if (line.isEmpty()) {
            finish();
            inStrings = false;
            continue;
        }
        if (line.startsWith(QLatin1Char('#'))) {
            if (inStrings) {
                finish();
                inStrings = false;
            }
            if (line.startsWith(QLatin1String("#~"))) {
                obsolete = true;
                any = true;
            } else if (line.startsWith(QLatin1String("#,"))) {
                for (const QString& flag : line.mid(2).split(QLatin1Char(',')))
                    current.fuzzy = current.fuzzy || flag.trimmed() == QLatin1String("fuzzy");
            } else if (line.startsWith(QLatin1String("#:")) && current.location.isEmpty()) {
                current.location = unquotePlus(line.mid(2).trimmed().section(QLatin1Char(' '), 0, 0));
            }
            if (current.line == 0)
                current.line = number;
            continue;
        }
        QString rest;
        if (line.startsWith(QLatin1Char('"'))) {
            if (!field) {
                error = QStringLiteral("line %1: a string outside an entry").arg(number);
                return false;
            }
            rest = line;
        } else {
            const qsizetype blank = line.indexOf(QLatin1Char(' '));
            const QString keyword = line.left(blank);
            rest = blank < 0 ? QString() : line.mid(blank + 1).trimmed();
            if (keyword == QLatin1String("msgctxt") || keyword == QLatin1String("msgid")) {
                if (inStrings && (keyword == QLatin1String("msgctxt") || field != &current.context)) {
                    finish();
                    inStrings = false;
                }
            }
            if (current.line == 0)
                current.line = number;
            inStrings = true;
            any = true;
            if (keyword == QLatin1String("msgctxt"))
                field = &current.context;
            else if (keyword == QLatin1String("msgid"))
                field = &current.source;
            else if (keyword == QLatin1String("msgid_plural"))
                field = &msgidPlural;
            else if (keyword == QLatin1String("msgstr") || keyword == QLatin1String("msgstr[0]"))
                field = &current.target;
            else if (keyword.startsWith(QLatin1String("msgstr[")))
                field = &msgidPlural; // later plural forms: not a catalogue's
            else {
                error = QStringLiteral("line %1: unknown keyword '%2'").arg(number).arg(keyword);
                return false;
            }
        }
        if (!poUnescape(rest, *field)) {
            error = QStringLiteral("line %1: a malformed string").arg(number);
            return false;
        }
    }
    finish();
    // The header: the entry without context whose msgid is empty.
    for (auto it = entries.begin(); it != entries.end(); ++it) {
        if (it->context.isEmpty() && it->source.isEmpty()) {
            static const QRegularExpression field(QStringLiteral("(?:^|\\n)Language:\\s*([^\\n]*)"));
            const QRegularExpressionMatch m = field.match(it->target);
            if (m.hasMatch())
                language = m.captured(1).trimmed();
            entries.erase(it);
            break;
        }
    }
    return true;
}

bool readXliff(const QString& text, std::vector<Imported>& entries, QString& language, QString& error)
{
    QXmlStreamReader xml(text);
    QString group;
    Imported current;
    bool inUnit = false;
    static const QStringList unfinished{QStringLiteral("new"), QStringLiteral("needs-translation"),
                                        QStringLiteral("needs-adaptation"), QStringLiteral("needs-l10n"),
                                        QStringLiteral("needs-review-translation"),
                                        QStringLiteral("needs-review-adaptation"), QStringLiteral("needs-review-l10n")};
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isStartElement()) {
            const QStringView name = xml.name();
            if (name == QLatin1String("file")) {
                language = xml.attributes().value(QLatin1String("target-language")).toString();
            } else if (name == QLatin1String("group")) {
                group = xml.attributes().value(QLatin1String("resname")).toString();
            } else if (name == QLatin1String("trans-unit")) {
                current = Imported();
                inUnit = true;
                current.line = int(xml.lineNumber());
                current.context = xml.attributes().value(QLatin1String("id")).toString();
                const QString resname = xml.attributes().value(QLatin1String("resname")).toString();
                if (!group.isEmpty() && !resname.isEmpty())
                    current.location = QStringLiteral("[%1]%2").arg(group, resname);
                current.fuzzy = xml.attributes().value(QLatin1String("approved")) == QLatin1String("no");
            } else if (inUnit && name == QLatin1String("source")) {
                current.source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (inUnit && name == QLatin1String("target")) {
                const QString state = xml.attributes().value(QLatin1String("state")).toString();
                current.fuzzy = current.fuzzy || unfinished.contains(state);
                current.target = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            }
        } else if (xml.isEndElement()) {
            if (xml.name() == QLatin1String("trans-unit") && inUnit) {
                entries.push_back(current);
                inUnit = false;
            } else if (xml.name() == QLatin1String("group")) {
                group.clear();
            }
        }
    }
    if (xml.hasError()) {
        error = QStringLiteral("line %1: %2").arg(xml.lineNumber()).arg(xml.errorString());
        return false;
    }
    return true;
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
    ImportResult result;
    std::vector<Imported> entries;
    QString fileLanguage;
    const bool xliff = text.trimmed().startsWith(QLatin1Char('<'));
    if (!(xliff ? readXliff(text, entries, fileLanguage, result.error)
                : readPo(text, entries, fileLanguage, result.error)))
        return result;

    QHash<QString, QString> values; // by key id
    QHash<QString, bool> same;
    for (const Imported& entry : entries) {
        QString section;
        QString key;
        const qsizetype bar = entry.context.indexOf(QLatin1Char('|'));
        if (bar > 0) {
            section = entry.context.left(bar);
            key = entry.context.mid(bar + 1);
        } else {
            static const QRegularExpression reference(QStringLiteral("^\\[([^\\]]+)\\](.+)$"));
            const QRegularExpressionMatch m = reference.match(entry.location);
            if (!m.hasMatch()) {
                result.error = QStringLiteral("%1: no key (msgctxt \"SECTION|key\" or reference [SECTION]key)").arg(entry.name());
                return result;
            }
            section = m.captured(1);
            key = m.captured(2);
        }
        const KnownKey* known = index.find(section, key);
        if (!known) {
            result.error = QStringLiteral("%1: unknown key [%2] %3").arg(entry.name(), section, key);
            return result;
        }
        const QString id = idOf(known->section, known->key);
        if (values.contains(id)) {
            result.error = QStringLiteral("%1: [%2] %3 given twice").arg(entry.name(), known->section, known->key);
            return result;
        }
        // A tool that reads INI quotes as part of the text (the translate
        // toolkit) quotes source and translation alike: one pair is the
        // catalogue's quoting, not the text.
        QString target = entry.target;
        auto quotedText = [](const QString& t) {
            return t.size() >= 2 && t.startsWith(QLatin1Char('"')) && t.endsWith(QLatin1Char('"'));
        };
        if (quotedText(entry.source) && !quotedText(known->englishTexts.value(0)) && quotedText(target))
            target = target.mid(1, target.size() - 2);
        // Untranslated or fuzzy: left out, so that the English text shows.
        if (target.isEmpty() || entry.fuzzy) {
            ++result.leftOut;
            continue;
        }
        if (target.contains(QLatin1Char('\n')) || target.contains(QLatin1Char('\r'))) {
            result.error = QStringLiteral("%1: the translation has a line break, which a catalogue line cannot hold")
                               .arg(entry.name());
            return result;
        }
        values.insert(id, target);
        bool isSame = false;
        for (const QString& english : known->englishTexts)
            isSame = isSame || shownText(target) == shownText(english);
        same.insert(id, isSame);
        ++result.translated;
    }

    const QString code = language.isEmpty() ? fileLanguage : language;
    QString out;
    if (!code.isEmpty())
        out += QStringLiteral("; Language: %1\n").arg(QString(code).replace(QLatin1Char('-'), QLatin1Char('_')));
    for (const QString& section : index.sections()) {
        out += QStringLiteral("\n[%1]\n").arg(section);
        for (const KnownKey& key : index.keys()) {
            const QString id = idOf(key.section, key.key);
            if (key.section != section || !values.contains(id))
                continue;
            if (same.value(id))
                out += QString::fromLatin1(kSameAsEnglishMarker) + QLatin1Char('\n');
            out += key.key + QLatin1Char('=') + catalogueValue(values.value(id)) + QLatin1Char('\n');
        }
    }
    result.catalogue = out;
    return result;
}
