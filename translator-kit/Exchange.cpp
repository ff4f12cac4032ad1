// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/Exchange.h"

#include "core/CatalogueFile.h"
#include "translator-kit/CaptionIndex.h"
#include "translator-kit/CatalogueText.h"
#include "translator-kit/SampleDialogs.h"
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
        if (std::isalnum(byte) || QByteArrayView("_.-~[]()/:,@").contains(char(byte)))
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
        out += QStringLiteral("#: ") + locationOf(key.section, key.key) + QLatin1Char('\n');
        if (room && room->maxLength > 0)
            out += QStringLiteral("#, max-length:%1\n").arg(room->maxLength);
        const Translation t = translations.value(idOf(key.section, key.key));
        out += QStringLiteral("msgctxt ") + poEscape(key.section + QLatin1Char('|') + key.key) + QLatin1Char('\n');
        out += QStringLiteral("msgid ") + poEscape(sourceOf(key)) + QLatin1Char('\n');
        out += QStringLiteral("msgstr ") + poEscape(t.value) + QLatin1Char('\n');
    }
    return out;
}

QString exportXliff(const CaptionIndex& index, const std::vector<KeyRoom>& rooms, const QString& catalogueText,
                    const QString& language)
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
            xml.writeStartElement(QStringLiteral("trans-unit"));
            xml.writeAttribute(QStringLiteral("id"), key.section + QLatin1Char('|') + key.key);
            xml.writeAttribute(QStringLiteral("resname"), key.key);
            if (room && room->maxWidth > 0) {
                xml.writeAttribute(QStringLiteral("maxwidth"), QString::number(room->maxWidth));
                xml.writeAttribute(QStringLiteral("size-unit"), QStringLiteral("pixel"));
            }
            xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
            xml.writeTextElement(QStringLiteral("source"), sourceOf(key));
            const Translation t = translations.value(idOf(key.section, key.key));
            xml.writeStartElement(QStringLiteral("target"));
            xml.writeAttribute(QStringLiteral("state"), t.value.isEmpty() ? QStringLiteral("new") : QStringLiteral("translated"));
            xml.writeCharacters(t.value);
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
