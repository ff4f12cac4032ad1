// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/CatalogueWriter.h"

#include "translator-kit/CaptionIndex.h"
#include "translator-kit/PseudoText.h"

#include <QRegularExpression>

#include <functional>

namespace {

QString visible(QString text)
{
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return text;
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// A value as the reader gives it back: quoted when blanks at either end
// would be lost or when it is itself wrapped in quotes.
QString valueText(const QString& value)
{
    const bool blankEnds = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    const bool quoted = value.size() >= 2 && value.startsWith(QLatin1Char('"')) && value.endsWith(QLatin1Char('"'));
    return blankEnds || quoted ? QLatin1Char('"') + value + QLatin1Char('"') : value;
}

QString whereLine(const KnownKey& key)
{
    QStringList places;
    for (const CaptionUse& use : key.uses) {
        QString place = use.dialog;
        if (!use.page.isEmpty())
            place += QStringLiteral(", page \"%1\"").arg(use.page);
        place += QStringLiteral(": ") + use.control;
        if (key.englishTexts.size() > 1)
            place += QStringLiteral(" (\"%1\")").arg(visible(use.english));
        if (!places.contains(place))
            places.append(place);
    }
    return QStringLiteral("; ") + places.join(QStringLiteral("; ")) + QLatin1Char('\n');
}

using Translate = std::function<QString(const KnownKey&, const QString& english)>;

enum class Kind
{
    // Every key a key line, so that a tool pairing the template with a
    // translation (po2ini -t) finds each one. A key whose English cannot be
    // one value (two texts, a line break) has an empty value, which the
    // dialogs read as no value: each place keeps its own English text.
    Template,
    // Every key a value, one value for a key's two texts; a text with a line
    // break stays a comment, since its one-line form would replace it.
    Pseudo,
};

QString writeCatalogue(const CaptionIndex& index, const QString& heading, const Translate& translate, Kind kind)
{
    static const QRegularExpression breaks(QStringLiteral("[\r\n]+"));
    QString out = heading;
    for (const QString& section : index.sections()) {
        out += QStringLiteral("\n[%1]\n").arg(section);
        for (const KnownKey& key : index.keys()) {
            if (key.section != section)
                continue;
            out += whereLine(key);
            if (kind == Kind::Template && key.key.startsWith(QLatin1String("rem"), Qt::CaseInsensitive))
                out += QStringLiteral("; The translate toolkit's INI tools (po2ini, ini2po) take a line starting "
                                      "with \"rem\" for a comment and leave this entry as it is; "
                                      "odu-switch-translate import fills it.\n");
            QString english = key.englishTexts.value(0);
            for (const QString& text : key.englishTexts) {
                if (text.size() > english.size())
                    english = text;
            }
            const QString value = translate(key, english);
            if (key.englishTexts.size() > 1 && kind == Kind::Template) {
                QStringList texts;
                for (const QString& text : key.englishTexts)
                    texts.append(QLatin1Char('"') + visible(text) + QLatin1Char('"'));
                out += QStringLiteral("; Two English texts: %1. A value replaces both alike; "
                                      "left empty, each keeps its own.\n%2=\n")
                           .arg(texts.join(QStringLiteral(" and ")), key.key);
            } else if (hasLineBreak(value)) {
                out += QStringLiteral("; The English text has a line break, which a catalogue line cannot hold: "
                                      "\"%1\". A one-line value replaces it; left %2, the English text stays.\n")
                           .arg(visible(english), kind == Kind::Template ? QStringLiteral("empty")
                                                                         : QStringLiteral("out"));
                out += kind == Kind::Template
                    ? key.key + QStringLiteral("=\n")
                    : QStringLiteral(";") + key.key + QLatin1Char('=')
                        + valueText(QString(value).replace(breaks, QStringLiteral(" "))) + QLatin1Char('\n');
            } else {
                out += key.key + QLatin1Char('=') + valueText(value) + QLatin1Char('\n');
            }
        }
    }
    return out;
}

} // namespace

QString templateCatalogue(const CaptionIndex& index)
{
    return writeCatalogue(index,
                          QStringLiteral("; Language catalogue of the QoS and VLAN dialogs: every text in English.\n"
                                         "; Translate the part after '='. Keep '&' before the letter that selects a\n"
                                         "; control from the keyboard. Values with blanks at either end go in double quotes.\n"
                                         "; A key left out or left in English shows English: a translation that keeps\n"
                                         "; a text as it is (a technical name such as NMS or LINE 2) says so with the\n"
                                         "; line \"; same-as-english\" right above the entry; `check` reports every\n"
                                         "; other English text.\n"),
                          [](const KnownKey&, const QString& english) { return english; }, Kind::Template);
}

QString pseudoCatalogue(const CaptionIndex& index, int expandPercent)
{
    return writeCatalogue(index,
                          QStringLiteral("; Pseudo-translation of the QoS and VLAN dialogs, %1 % longer than English.\n")
                              .arg(expandPercent),
                          [expandPercent](const KnownKey&, const QString& english) {
                              return pseudoTranslate(english, expandPercent);
                          },
                          Kind::Pseudo);
}
