// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "translator-kit/CatalogueCheck.h"

#include "core/CatalogueFile.h"
#include "ui/AcceleratorMarks.h"
#include "translator-kit/CaptionIndex.h"
#include "translator-kit/CatalogueText.h"

#include <QFont>
#include <QFontDatabase>
#include <QRawFont>

#include <QHash>
#include <QSet>

#include <algorithm>
#include <functional>
#include <limits>
#include <map>

namespace {

QString idOf(const QString& section, const QString& key)
{
    return section.toLower() + QLatin1Char('\n') + key.toLower();
}

// A text of any length as its start, for a line of the report.
QString shortened(const QString& text)
{
    return text.size() > 80 ? text.left(77) + QStringLiteral("...") : text;
}

QString quoted(QString text)
{
    text = shortened(text);
    text.replace(QLatin1Char('\n'), QStringLiteral("\\n")).replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    return QLatin1Char('"') + text + QLatin1Char('"');
}

bool hasLineBreak(const QString& text)
{
    return text.contains(QLatin1Char('\n')) || text.contains(QLatin1Char('\r'));
}

// The nearest known key of a section, for a key that is not known.
QString nearestKey(const QString& section, const QString& key, const CaptionIndex& index)
{
    QString best;
    int bestDistance = std::numeric_limits<int>::max();
    for (const KnownKey& known : index.keys()) {
        if (known.section.compare(section, Qt::CaseInsensitive) != 0)
            continue;
        const int d = editDistance(key, known.key);
        if (d < bestDistance) {
            bestDistance = d;
            best = known.key;
        }
    }
    return best;
}

// A key the template leaves empty: the English text stays unless a
// translator chooses to give one value.
bool optionalInEnglish(const KnownKey& key)
{
    bool optional = key.englishTexts.size() > 1;
    for (const QString& english : key.englishTexts)
        optional = optional || hasLineBreak(english);
    return optional;
}

struct Entry
{
    QString value;
    int line = 0;
};

// Two or more keys whose captions are reachable at the same time (one page
// with the parts always visible: mode switch, tab row, button strip) and
// share an accelerator letter.
struct Clash
{
    QString dialog;
    QString where;
    QChar letter;
    QString section;
    QStringList keys;
    QStringList places;
    QString id() const { return dialog + QLatin1Char('\n') + letter + QLatin1Char('\n') + keys.join(QLatin1Char('\n')); }
};

std::vector<Clash> acceleratorClashes(const CaptionIndex& index,
                                      const std::function<QString(const KnownKey&)>& textOf)
{
    struct Shown
    {
        const KnownKey* key;
        QString control;
        QString page;
    };
    std::map<QString, std::vector<Shown>> byDialog;
    for (const KnownKey& key : index.keys()) {
        for (const CaptionUse& use : key.uses) {
            if (!use.message)
                byDialog[use.dialog].push_back({&key, use.control, use.page});
        }
    }
    std::vector<Clash> clashes;
    QSet<QString> seen;
    for (const auto& [dialog, shown] : byDialog) {
        QStringList pages{QString()};
        for (const Shown& s : shown) {
            if (!pages.contains(s.page))
                pages.append(s.page);
        }
        for (const QString& page : pages) {
            std::map<QChar, std::vector<const Shown*>> byLetter;
            for (const Shown& s : shown) {
                if (!s.page.isEmpty() && s.page != page)
                    continue;
                const QChar letter = acceleratorOf(textOf(*s.key));
                if (!letter.isNull())
                    byLetter[letter].push_back(&s);
            }
            for (const auto& [letter, users] : byLetter) {
                // One key shown on several controls (the same item in two
                // groups) is the design, not a clash.
                Clash clash{dialog, page.isEmpty() ? dialog : QStringLiteral("%1, page \"%2\"").arg(dialog, page),
                            letter, users.front()->key->section, {}, {}};
                for (const Shown* s : users) {
                    if (clash.keys.contains(s->key->key))
                        continue;
                    clash.keys.append(s->key->key);
                    clash.places.append(QStringLiteral("%1 (%2 %3)").arg(s->key->key, s->control, quoted(textOf(*s->key))));
                }
                if (clash.keys.size() < 2 || seen.contains(clash.id()))
                    continue;
                seen.insert(clash.id());
                clashes.push_back(std::move(clash));
            }
        }
    }
    return clashes;
}

// Accelerator checks: lost or added against the English text, and two
// captions reachable at the same time that share a letter.
void checkAccelerators(const QHash<QString, Entry>& values, const CaptionIndex& index,
                       std::vector<CatalogueFinding>& findings)
{
    auto shownText = [&](const KnownKey& key, const QString& english) {
        const auto it = values.constFind(idOf(key.section, key.key));
        return it == values.constEnd() ? english : it->value;
    };

    for (const KnownKey& key : index.keys()) {
        const auto it = values.constFind(idOf(key.section, key.key));
        if (it == values.constEnd() || key.message())
            continue;
        bool englishHas = false;
        for (const QString& english : key.englishTexts)
            englishHas = englishHas || !acceleratorOf(english).isNull();
        const bool translationHas = !acceleratorOf(it->value).isNull();
        if (englishHas && !translationHas)
            findings.push_back({it->line, key.section, key.key,
                                QStringLiteral("accelerator lost: the English %1 has one ('&' before a letter)")
                                    .arg(quoted(key.englishTexts.join(QStringLiteral("\" / \"")))),
                                true});
        else if (!englishHas && translationHas)
            findings.push_back({it->line, key.section, key.key,
                                QStringLiteral("accelerator added: the English %1 has none (write && for an ampersand)")
                                    .arg(quoted(key.englishTexts.join(QStringLiteral("\" / \"")))),
                                true});
    }

    const std::vector<Clash> english = acceleratorClashes(index, [](const KnownKey& key) {
        return key.englishTexts.value(0);
    });
    QSet<QString> inEnglish;
    for (const Clash& clash : english)
        inEnglish.insert(clash.id());
    for (const Clash& clash : acceleratorClashes(index, [&](const KnownKey& key) {
             return shownText(key, key.englishTexts.value(0));
         })) {
        const bool designed = inEnglish.contains(clash.id());
        const auto line = values.constFind(idOf(clash.section, clash.keys.front()));
        findings.push_back({line == values.constEnd() ? 0 : line->line, clash.section, clash.keys.front(),
                            QStringLiteral("accelerator clash on '%1' in %2: %3%4")
                                .arg(clash.letter, clash.where, clash.places.join(QStringLiteral(", ")),
                                     designed ? QStringLiteral(" (as in the English texts)") : QString()),
                            !designed});
    }
}

} // namespace

int editDistance(const QString& a, const QString& b)
{
    const QString x = a.toLower();
    const QString y = b.toLower();
    std::vector<int> previous(y.size() + 1);
    std::vector<int> current(y.size() + 1);
    for (qsizetype j = 0; j <= y.size(); ++j)
        previous[j] = int(j);
    for (qsizetype i = 1; i <= x.size(); ++i) {
        current[0] = int(i);
        for (qsizetype j = 1; j <= y.size(); ++j) {
            const int substitute = previous[j - 1] + (x.at(i - 1) == y.at(j - 1) ? 0 : 1);
            current[j] = std::min({previous[j] + 1, current[j - 1] + 1, substitute});
        }
        std::swap(previous, current);
    }
    return previous[y.size()];
}

std::vector<CatalogueFinding> checkCatalogueText(const QString& text, const CaptionIndex& index,
                                                 const QString& language)
{
    const bool translation = !isEnglish(language);
    const QList<int> markedSame = sameAsEnglishLines(text);
    std::vector<CatalogueFinding> findings;
    QHash<QString, Entry> values;   // the value each key reads as: the first non-empty one
    QHash<QString, int> firstLine;  // the first line of each key
    QSet<QString> unknownSections;
    // Suggestions are worked out for this many unknown keys; a file of
    // nothing but unknown keys is reported in full, just without them.
    int suggestionsLeft = 500;

    forEachCatalogueLine(text, [&](const CatalogueLine& l) {
        const QString section = l.section.toString();
        const QString key = l.key.toString();
        const QString value = l.value.toString();
        const bool sectionKnown = index.sections().contains(section, Qt::CaseInsensitive);
        if (!sectionKnown) {
            if (!unknownSections.contains(section.toLower())) {
                unknownSections.insert(section.toLower());
                findings.push_back({l.lineNumber, section, key,
                                    section.isEmpty()
                                        ? QStringLiteral("entry before any section heading: it is never read")
                                        : QStringLiteral("unknown section: its entries are never read "
                                                         "(the sections are %1)")
                                              .arg(index.sections().join(QStringLiteral(", "))),
                                    true});
            }
            return;
        }
        const KnownKey* known = index.find(section, key);
        if (!known) {
            QString message = QStringLiteral("unknown key");
            for (const QString& other : index.sections()) {
                if (other.compare(section, Qt::CaseInsensitive) != 0 && index.find(other, key)) {
                    message += QStringLiteral("; it belongs in section [%1]").arg(other);
                    break;
                }
            }
            if (!message.contains(QLatin1Char(';')) && key.size() <= 200 && suggestionsLeft-- > 0) {
                const QString nearest = nearestKey(section, key, index);
                if (!nearest.isEmpty())
                    message += QStringLiteral("; nearest known key: %1").arg(nearest);
            }
            findings.push_back({l.lineNumber, section, key, message, true});
            return;
        }
        const QString id = idOf(known->section, known->key);
        if (firstLine.contains(id)) {
            const int first = firstLine.value(id);
            findings.push_back({l.lineNumber, known->section, key,
                                values.contains(id)
                                    ? QStringLiteral("duplicate of line %1, whose value is used").arg(values.value(id).line)
                                    : QStringLiteral("duplicate of line %1").arg(first),
                                true});
        } else {
            firstLine.insert(id, l.lineNumber);
        }
        if (value.isEmpty()) {
            // The template's way of leaving a key whose English cannot be one
            // value: in an English catalogue nothing is missing.
            const bool optional = optionalInEnglish(*known) && !translation;
            findings.push_back({l.lineNumber, known->section, key,
                                optional ? QStringLiteral("empty: the English text stays (optional)")
                                         : QStringLiteral("empty value: the English text is shown"),
                                !optional});
            return;
        }
        if (!values.contains(id))
            values.insert(id, {value, l.lineNumber});
        if (!known->message()) {
            if (const QString problem = acceleratorPlacementProblem(value); !problem.isEmpty())
                findings.push_back({l.lineNumber, known->section, key, problem, true});
        }
        if (translation && !markedSame.contains(l.lineNumber)) {
            for (const QString& english : known->englishTexts) {
                if (shownText(value) == shownText(english)) {
                    findings.push_back({l.lineNumber, known->section, key,
                                        QStringLiteral("still the English text %1; if that is meant (a technical "
                                                       "name), put the line \"%2\" above the entry")
                                            .arg(quoted(value), QString::fromLatin1(kSameAsEnglishMarker)),
                                        true});
                    break;
                }
            }
        }
    });

    for (const KnownKey& key : index.keys()) {
        const QString id = idOf(key.section, key.key);
        if (values.contains(id) || firstLine.contains(id))
            continue;
        // In a translation every key left out shows English.
        const bool optional = optionalInEnglish(key) && !translation;
        findings.push_back({0, key.section, key.key,
                            optional ? QStringLiteral("not translated; the English text stays (optional)")
                                     : QStringLiteral("missing: the English text %1 is shown")
                                           .arg(quoted(key.englishTexts.value(0))),
                            !optional});
    }

    checkAccelerators(values, index, findings);
    return findings;
}

QString describeFinding(const CatalogueFinding& finding)
{
    QString out;
    if (finding.line > 0)
        out = QStringLiteral("line %1: ").arg(finding.line);
    out += QStringLiteral("[%1] %2: %3").arg(shortened(finding.section), shortened(finding.key), finding.message);
    if (!finding.counts)
        out = QStringLiteral("note: ") + out;
    return out;
}

namespace {

bool isCursive(QChar::Script script)
{
    return script == QChar::Script_Arabic || script == QChar::Script_Syriac || script == QChar::Script_Nko
        || script == QChar::Script_Mongolian;
}

// Whether a letter joins the one after it (in logical order), or the one before it.
bool joinsForward(QChar c)
{
    const QChar::JoiningType t = c.joiningType();
    return t == QChar::Joining_Dual || t == QChar::Joining_Left || t == QChar::Joining_Causing;
}

bool joinsBack(QChar c)
{
    const QChar::JoiningType t = c.joiningType();
    return t == QChar::Joining_Dual || t == QChar::Joining_Right || t == QChar::Joining_Causing;
}

} // namespace

QString acceleratorPlacementProblem(const QString& caption)
{
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) != QLatin1Char('&'))
            continue;
        if (i + 1 >= caption.size())
            return {};
        const QChar next = caption.at(i + 1);
        if (next == QLatin1Char('&')) {
            ++i;
            continue;
        }
        if (next.isSpace())
            return QStringLiteral("'&' before a blank: no key can press it; put it before a letter, or write \"&&\" "
                                  "for an ampersand");
        // The letter before the mark, past any vowel signs (which join through).
        qsizetype before = i - 1;
        while (before >= 0 && caption.at(before).joiningType() == QChar::Joining_Transparent)
            --before;
        if (before >= 0 && isCursive(caption.at(before).script()) && isCursive(next.script())
            && joinsForward(caption.at(before)) && joinsBack(next)) {
            // The start of the word, for the fix.
            qsizetype start = before;
            while (start > 0 && caption.at(start - 1).isLetterOrNumber())
                --start;
            while (start > 0 && caption.at(start - 1).joiningType() == QChar::Joining_Transparent)
                --start;
            QString atStart = caption;
            atStart.remove(i, 1).insert(start, QLatin1Char('&'));
            QString after = caption;
            after.remove(i, 1);
            after += QStringLiteral("(&%1)").arg(next);
            return QStringLiteral("'&' between two joined letters (%1 and %2) splits the word: its letters lose "
                                  "their joined forms and the caption draws wider than its control; put it before "
                                  "the word's first letter (\"%3\") or after the caption (\"%4\")")
                .arg(caption.at(before), next, atStart, after);
        }
        return {};
    }
    return {};
}

namespace {

// Where a face for missing characters comes from on Debian.
struct FaceSource
{
    QString face;    // "Noto Sans CJK JP"
    QString package; // "fonts-noto-cjk"
    QString script;  // "Han"; empty: not known by name
};

// Radicals, punctuation, kana signs, enclosed and compatibility forms,
// half- and full-width forms.
bool inCjkSymbolBlock(char32_t c)
{
    return (c >= 0x2E80 && c <= 0x33FF) || (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFFEF);
}

bool ofNoScript(QChar::Script script)
{
    return script == QChar::Script_Common || script == QChar::Script_Inherited || script == QChar::Script_Unknown;
}

// language: the catalogue's, or "ja" or "ko" when its letters say so.
QString cjkFace(const QString& language)
{
    if (language.startsWith(QLatin1String("ja")))
        return QStringLiteral("Noto Sans CJK JP");
    if (language.startsWith(QLatin1String("ko")))
        return QStringLiteral("Noto Sans CJK KR");
    if (language == QLatin1String("zh_HK") || language == QLatin1String("zh-HK"))
        return QStringLiteral("Noto Sans CJK HK");
    if (language == QLatin1String("zh_TW") || language == QLatin1String("zh-TW")
        || language.contains(QLatin1String("Hant")))
        return QStringLiteral("Noto Sans CJK TC");
    return QStringLiteral("Noto Sans CJK SC");
}

// The face that draws a script and the Debian package that brings it: the
// dialogs' own fallback face (DejaVu Sans) where it covers the script, else
// the Noto face made for it.
FaceSource sourceOf(char32_t c, QChar::Script script, const QString& language)
{
    static const struct
    {
        QChar::Script script;
        const char* name;
        const char* face; // nullptr: a CJK face
        const char* package;
    } table[] = {
        {QChar::Script_Han, "Han", nullptr, "fonts-noto-cjk"},
        {QChar::Script_Hiragana, "Hiragana", nullptr, "fonts-noto-cjk"},
        {QChar::Script_Katakana, "Katakana", nullptr, "fonts-noto-cjk"},
        {QChar::Script_Bopomofo, "Bopomofo", nullptr, "fonts-noto-cjk"},
        {QChar::Script_Hangul, "Hangul", nullptr, "fonts-noto-cjk"},
        {QChar::Script_Latin, "Latin", "DejaVu Sans", "fonts-dejavu-core"},
        {QChar::Script_Greek, "Greek", "DejaVu Sans", "fonts-dejavu-core"},
        {QChar::Script_Cyrillic, "Cyrillic", "DejaVu Sans", "fonts-dejavu-core"},
        {QChar::Script_Armenian, "Armenian", "DejaVu Sans", "fonts-dejavu-core"},
        {QChar::Script_Georgian, "Georgian", "DejaVu Sans", "fonts-dejavu-core"},
        {QChar::Script_Hebrew, "Hebrew", "DejaVu Sans", "fonts-dejavu-core"},
        {QChar::Script_Arabic, "Arabic", "DejaVu Sans", "fonts-dejavu-core"},
        {QChar::Script_Syriac, "Syriac", "Noto Sans Syriac", "fonts-noto-core"},
        {QChar::Script_Thaana, "Thaana", "Noto Sans Thaana", "fonts-noto-core"},
        {QChar::Script_Nko, "N'Ko", "Noto Sans NKo", "fonts-noto-core"},
        {QChar::Script_Thai, "Thai", "Noto Sans Thai", "fonts-noto-core"},
        {QChar::Script_Lao, "Lao", "Noto Sans Lao", "fonts-noto-core"},
        {QChar::Script_Khmer, "Khmer", "Noto Sans Khmer", "fonts-noto-core"},
        {QChar::Script_Myanmar, "Myanmar", "Noto Sans Myanmar", "fonts-noto-core"},
        {QChar::Script_Tibetan, "Tibetan", "Noto Serif Tibetan", "fonts-noto-core"},
        {QChar::Script_Mongolian, "Mongolian", "Noto Sans Mongolian", "fonts-noto-core"},
        {QChar::Script_Devanagari, "Devanagari", "Noto Sans Devanagari", "fonts-noto-core"},
        {QChar::Script_Bengali, "Bengali", "Noto Sans Bengali", "fonts-noto-core"},
        {QChar::Script_Gurmukhi, "Gurmukhi", "Noto Sans Gurmukhi", "fonts-noto-core"},
        {QChar::Script_Gujarati, "Gujarati", "Noto Sans Gujarati", "fonts-noto-core"},
        {QChar::Script_Oriya, "Oriya", "Noto Sans Oriya", "fonts-noto-core"},
        {QChar::Script_Tamil, "Tamil", "Noto Sans Tamil", "fonts-noto-core"},
        {QChar::Script_Telugu, "Telugu", "Noto Sans Telugu", "fonts-noto-core"},
        {QChar::Script_Kannada, "Kannada", "Noto Sans Kannada", "fonts-noto-core"},
        {QChar::Script_Malayalam, "Malayalam", "Noto Sans Malayalam", "fonts-noto-core"},
        {QChar::Script_Sinhala, "Sinhala", "Noto Sans Sinhala", "fonts-noto-core"},
        {QChar::Script_Ethiopic, "Ethiopic", "Noto Sans Ethiopic", "fonts-noto-core"},
    };
    // CJK punctuation and full-width forms belong to no script but come
    // with the CJK faces.
    if (ofNoScript(script) && inCjkSymbolBlock(c))
        return {cjkFace(language), QStringLiteral("fonts-noto-cjk"), QString()};
    for (const auto& row : table) {
        if (row.script == script)
            return {row.face ? QString::fromLatin1(row.face) : cjkFace(language),
                    QString::fromLatin1(row.package), QString::fromLatin1(row.name)};
    }
    // Symbols and scripts without a row: Noto's wider sets.
    return {QStringLiteral("a Noto face"), QStringLiteral("fonts-noto-core or fonts-noto-extra"), QString()};
}

QString characterName(char32_t c)
{
    return QStringLiteral("'%1' (U+%2)")
        .arg(QString::fromUcs4(&c, 1), QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

// "10, 12, 15-20, 31" for sorted line numbers, at most a few runs.
QString lineRanges(const QList<int>& lines)
{
    QStringList runs;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        qsizetype j = i;
        while (j + 1 < lines.size() && lines.at(j + 1) == lines.at(j) + 1)
            ++j;
        if (runs.size() == 8) {
            runs.append(QStringLiteral("..."));
            break;
        }
        runs.append(j == i ? QString::number(lines.at(i))
                           : QStringLiteral("%1-%2").arg(lines.at(i)).arg(lines.at(j)));
        i = j;
    }
    return runs.join(QStringLiteral(", "));
}

} // namespace

std::vector<CatalogueFinding> checkFontCoverage(const QString& text, const CaptionIndex& index,
                                                const QString& language)
{
    // Every face of the machine once; a character is drawn when any has it.
    static const std::vector<QRawFont> faces = [] {
        std::vector<QRawFont> all;
        for (const QString& family : QFontDatabase::families()) {
            QFont font(family);
            font.setStyleStrategy(QFont::NoFontMerging);
            const QRawFont raw = QRawFont::fromFont(font);
            if (raw.isValid())
                all.push_back(raw);
        }
        return all;
    }();
    QHash<char32_t, bool> drawn;
    auto canDraw = [&](char32_t c) {
        const auto it = drawn.constFind(c);
        if (it != drawn.constEnd())
            return *it;
        bool found = false;
        for (const QRawFont& face : faces)
            found = found || face.supportsCharacter(c);
        drawn.insert(c, found);
        return found;
    };

    // One finding per face that would serve, not one per entry: a machine
    // without the CJK faces misses nearly every entry of a Japanese catalogue.
    struct Missing
    {
        FaceSource source;
        QStringList scripts;
        QList<char32_t> characters;
        QList<int> lines;
        QString section;
        QString key;
    };
    std::vector<Missing> byFace;
    // One CJK face for the catalogue: kana say Japanese, Hangul Korean,
    // where the catalogue does not name a CJK language.
    QString cjkLanguage = language;
    if (!language.startsWith(QLatin1String("ja")) && !language.startsWith(QLatin1String("ko"))
        && !language.startsWith(QLatin1String("zh"))) {
        forEachCatalogueLine(text, [&](const CatalogueLine& l) {
            for (uint c : l.value.toUcs4()) {
                const QChar::Script script = QChar::script(c);
                if (script == QChar::Script_Hiragana || script == QChar::Script_Katakana)
                    cjkLanguage = QStringLiteral("ja");
                else if (script == QChar::Script_Hangul && cjkLanguage != QLatin1String("ja"))
                    cjkLanguage = QStringLiteral("ko");
            }
        });
    }
    forEachCatalogueLine(text, [&](const CatalogueLine& l) {
        const KnownKey* known = index.find(l.section.toString(), l.key.toString());
        if (!known)
            return;
        const QList<uint> characters = l.value.toUcs4();
        // A mark or sign of no script of its own (a vowel sign, the
        // Japanese long vowel mark) comes with the face of the letters
        // around it: the one before it, else the first of the entry.
        QChar::Script around = QChar::Script_Common;
        for (char32_t c : characters) {
            if (!ofNoScript(QChar::script(c)) && !canDraw(c)) {
                around = QChar::script(c);
                break;
            }
        }
        for (char32_t c : characters) {
            const QChar::Category category = QChar::category(c);
            QChar::Script script = QChar::script(c);
            if (!ofNoScript(script))
                around = script;
            if (QChar::isSpace(c) || category == QChar::Other_Control || category == QChar::Other_Format
                || canDraw(c))
                continue;
            if (ofNoScript(script) && !inCjkSymbolBlock(c))
                script = around;
            const FaceSource source = sourceOf(c, script, cjkLanguage);
            auto it = std::find_if(byFace.begin(), byFace.end(), [&](const Missing& m) {
                return m.source.face == source.face && m.source.package == source.package;
            });
            if (it == byFace.end()) {
                byFace.push_back({source, {}, {}, {}, known->section, l.key.toString()});
                it = byFace.end() - 1;
            }
            if (!source.script.isEmpty() && !it->scripts.contains(source.script))
                it->scripts.append(source.script);
            if (!it->characters.contains(c))
                it->characters.append(c);
            if (it->lines.isEmpty() || it->lines.back() != l.lineNumber)
                it->lines.append(l.lineNumber);
        }
    });

    std::vector<CatalogueFinding> findings;
    for (const Missing& m : byFace) {
        QStringList examples;
        for (qsizetype i = 0; i < m.characters.size() && i < 6; ++i)
            examples.append(characterName(m.characters.at(i)));
        if (m.characters.size() > 6)
            examples.append(QStringLiteral("..."));
        const qsizetype characters = m.characters.size();
        const qsizetype entries = m.lines.size();
        findings.push_back(
            {m.lines.front(), m.section, m.key,
             QStringLiteral("no font on this machine draws %1 character%2%3 of %4 entr%5 (line%6 %7), shown as "
                            "boxes: %8; %9 draws them: install the Debian package %10 (fc-list :charset=%11 "
                            "lists the faces that have the first)")
                 .arg(characters)
                 .arg(characters == 1 ? QString() : QStringLiteral("s"))
                 .arg(m.scripts.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(m.scripts.join(QStringLiteral(", "))))
                 .arg(entries)
                 .arg(entries == 1 ? QStringLiteral("y") : QStringLiteral("ies"))
                 .arg(entries == 1 ? QString() : QStringLiteral("s"))
                 .arg(lineRanges(m.lines))
                 .arg(examples.join(QStringLiteral(", ")))
                 .arg(m.source.face, m.source.package)
                 .arg(QString::number(uint(m.characters.front()), 16)),
             true});
    }
    return findings;
}
