// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The kit's PO and XLIFF against the tools translators use: every shipped
// catalogue goes out and comes back unchanged, through the kit alone and
// through gettext, the translate toolkit and Qt's lconvert.

#include "KitProcess.h"
#include "PeerTools.h"

#include "core/CatalogueFile.h"
#include "translator-kit/CatalogueText.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A catalogue as the dialogs read it: each key's first non-empty value, and
// whether it is marked as meant to read as English.
QMap<QString, QString> readBack(const QString& path, bool trimmed = false)
{
    QMap<QString, QString> entries;
    const QString text = readCatalogueFile(path).valueOr({});
    const QList<int> marked = sameAsEnglishLines(text);
    forEachCatalogueLine(text, [&](const CatalogueLine& l) {
        const QString id = l.section.toString().toUpper() + u'|' + l.key.toString();
        if (l.value.isEmpty() || entries.contains(id))
            return;
        const QString value = trimmed ? l.value.trimmed().toString() : l.value.toString();
        entries.insert(id, value + (marked.contains(l.lineNumber) && !trimmed ? u" [same]"_s : QString()));
    });
    return entries;
}

} // namespace

class TestKitExchange : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void importLeavesOutWhatIsNotTranslated_data();
    void importLeavesOutWhatIsNotTranslated();

private:
    QTemporaryDir m_dir;
};

void TestKitExchange::roundTrip_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("path");
    for (const char* language : {"de", "fr", "es", "pt_BR", "ru", "zh_CN", "ja", "ar"}) {
        for (const char* path : {"po", "xliff", "msgfmt+pofilter", "po2ini", "ini2po", "lconvert"})
            QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(language), QLatin1String(path))))
                << QString::fromLatin1(language) << QString::fromLatin1(path);
    }
    // What the translators' tools rewrite, and the import reads back.
    for (const char* path : {"lconvert-xliff", "lconvert-ts", "po2xliff", "xliff2po", "msgmerge", "msgattrib", "msgcat"})
        QTest::newRow(qPrintable(QStringLiteral("de %1").arg(QLatin1String(path)))) << u"de"_s << QString::fromLatin1(path);
}

void TestKitExchange::roundTrip()
{
    QFETCH(QString, language);
    QFETCH(QString, path);
    QVERIFY(m_dir.isValid());
    const QString original = QStringLiteral(ODU_TRANSLATIONS_DIR) + u'/' + language + u".ini"_s;
    const bool fromXliff = path == u"xliff"_s || path == u"xliff2po"_s || path == u"lconvert-ts"_s;
    const QString exported = m_dir.filePath(language + u"-"_s + path + (fromXliff ? u".xlf"_s : u".po"_s));
    const QString back = m_dir.filePath(language + u"-"_s + path + u"-back.ini"_s);
    const QString format = fromXliff ? u"xliff"_s : u"po"_s;
    if (path != u"ini2po"_s) {
        const KitRun run = runKit({u"export"_s, original, u"--format"_s, format, u"-o"_s, exported});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    }
    QString imported = exported;
    bool trimmed = false;
    if (path == u"msgfmt+pofilter"_s) {
        if (peerTool(u"msgfmt"_s).isEmpty() || peerTool(u"pofilter"_s).isEmpty())
            QSKIP("gettext and translate-toolkit are installed by scripts/install-deps.sh");
        const PeerToolRun msgfmt = runPeerTool(peerTool(u"msgfmt"_s), {u"--check"_s, u"--check-accelerators=&"_s, u"-o"_s,
                                                           u"/dev/null"_s, exported});
        QVERIFY2(msgfmt.exitCode == 0 && !msgfmt.output.contains(u"warning"_s), qPrintable(msgfmt.output));
        const QString report = m_dir.filePath(language + u"-pofilter.po"_s);
        // The toolkit's checks for '&' accelerators; it writes the entries it
        // finds at fault, and no file when there is none.
        const PeerToolRun pofilter = runPeerTool(peerTool(u"pofilter"_s), {u"--progress=none"_s, u"-t"_s, u"accelerators"_s,
                                                               u"--kde"_s, u"--language="_s + language, exported, report});
        QVERIFY2(pofilter.exitCode == 0, qPrintable(pofilter.output));
        QFile found(report);
        const QString problems = found.open(QIODevice::ReadOnly) ? QString::fromUtf8(found.readAll()) : QString();
        QVERIFY2(!problems.contains(u"(pofilter)"_s), qPrintable(problems));
    } else if (path == u"po2ini"_s) {
        if (peerTool(u"po2ini"_s).isEmpty())
            QSKIP("translate-toolkit is installed by scripts/install-deps.sh");
        // The toolkit fills an INI template: the catalogue's own keys.
        const PeerToolRun run = runPeerTool(peerTool(u"po2ini"_s), {u"--progress=none"_s, u"-t"_s, original, exported, back});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        // Its INI dialect has no quotes: blanks around a value do not survive.
        trimmed = true;
        imported.clear();
    } else if (path == u"ini2po"_s) {
        if (peerTool(u"ini2po"_s).isEmpty())
            QSKIP("translate-toolkit is installed by scripts/install-deps.sh");
        // The English template with its commented keys as entries: the
        // toolkit pairs the two files key by key.
        const KitRun english = runKit({u"template"_s});
        QCOMPARE(english.exitCode, 0);
        QString every = english.out;
        every.replace(QRegularExpression(u"\\n;(?! )"_s), u"\n"_s);
        QFile en(m_dir.filePath(u"en.ini"_s));
        QVERIFY(en.open(QIODevice::WriteOnly | QIODevice::Truncate));
        en.write(every.toUtf8());
        en.close();
        const PeerToolRun run = runPeerTool(peerTool(u"ini2po"_s), {u"--progress=none"_s, u"-t"_s, m_dir.filePath(u"en.ini"_s),
                                                        original, exported});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
        trimmed = true;
    } else if (path == u"lconvert"_s) {
        if (peerTool(u"lconvert"_s).isEmpty())
            QSKIP("qt6-l10n-tools is installed by scripts/install-deps.sh");
        const QString ts = m_dir.filePath(language + u".ts"_s);
        imported = m_dir.filePath(language + u"-lconvert-back.po"_s);
        QCOMPARE(runPeerTool(peerTool(u"lconvert"_s), {u"-i"_s, exported, u"-o"_s, ts}).exitCode, 0);
        QCOMPARE(runPeerTool(peerTool(u"lconvert"_s), {u"-i"_s, ts, u"-o"_s, imported}).exitCode, 0);
    }
    const QStringList gettextTools{u"msgmerge"_s, u"msgattrib"_s, u"msgcat"_s};
    if (path == u"lconvert-xliff"_s || path == u"lconvert-ts"_s) {
        if (peerTool(u"lconvert"_s).isEmpty())
            QSKIP("qt6-l10n-tools is installed by scripts/install-deps.sh");
        imported = m_dir.filePath(language + u"-"_s + path + (path == u"lconvert-ts"_s ? u"-back.po"_s : u"-back.xlf"_s));
        if (path == u"lconvert-ts"_s) {
            // Through Qt Linguist's own format: the PO keeps only the unit ids.
            const QString ts = m_dir.filePath(language + u"-xliff.ts"_s);
            QCOMPARE(runPeerTool(peerTool(u"lconvert"_s), {u"-i"_s, exported, u"-o"_s, ts}).exitCode, 0);
            QCOMPARE(runPeerTool(peerTool(u"lconvert"_s), {u"-i"_s, ts, u"-o"_s, imported}).exitCode, 0);
        } else {
            QCOMPARE(runPeerTool(peerTool(u"lconvert"_s), {u"-i"_s, exported, u"-o"_s, imported}).exitCode, 0);
        }
    } else if (path == u"po2xliff"_s || path == u"xliff2po"_s) {
        if (peerTool(path).isEmpty())
            QSKIP("translate-toolkit is installed by scripts/install-deps.sh");
        imported = m_dir.filePath(language + u"-"_s + path + (path == u"po2xliff"_s ? u"-back.xlf"_s : u"-back.po"_s));
        const PeerToolRun run = runPeerTool(peerTool(path), {u"--progress=none"_s, exported, imported});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    } else if (gettextTools.contains(path)) {
        if (peerTool(path).isEmpty())
            QSKIP("gettext is installed by scripts/install-deps.sh");
        imported = m_dir.filePath(language + u"-"_s + path + u"-back.po"_s);
        QStringList args;
        if (path == u"msgmerge"_s) {
            // Brought up to date against a fresh template, as a translator does.
            const QString pot = m_dir.filePath(u"template.pot"_s);
            const KitRun run = runKit({u"export"_s, u"--format"_s, u"po"_s, u"-o"_s, pot});
            QVERIFY2(run.exitCode == 0, qPrintable(run.err));
            args = QStringList{u"--previous"_s, u"-q"_s, exported, pot};
        } else if (path == u"msgattrib"_s) {
            args = QStringList{u"--no-obsolete"_s, exported}; // and wrapped at 79 columns
        } else {
            args = QStringList{u"--sort-output"_s, exported};
        }
        const PeerToolRun run = runPeerTool(peerTool(path), args + QStringList{u"-o"_s, imported});
        QVERIFY2(run.exitCode == 0, qPrintable(run.output));
    }
    if (!imported.isEmpty()) {
        const KitRun run = runKit({u"import"_s, imported, u"-o"_s, back});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
    }
    const QMap<QString, QString> want = readBack(original, trimmed);
    const QMap<QString, QString> got = readBack(back, trimmed);
    QVERIFY(want.size() > 90);
    if (path == u"ini2po"_s) {
        // The toolkit's INI reader takes a line starting with "rem" for a
        // comment (as Windows did), so three keys ("Remote QoS ...",
        // remote_vlan_cfg_dlg, rem_1_prv_tag) never reach its PO; every
        // entry it carries comes back as it was.
        QVERIFY2(got.size() >= want.size() - 3, qPrintable(QString::number(got.size())));
        for (auto it = got.constBegin(); it != got.constEnd(); ++it)
            QCOMPARE(it.value(), want.value(it.key()));
        return;
    }
    QCOMPARE(got.keys(), want.keys());
    for (auto it = want.constBegin(); it != want.constEnd(); ++it)
        QCOMPARE(got.value(it.key()), it.value());
}

void TestKitExchange::importLeavesOutWhatIsNotTranslated_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("catalogueHas");
    QTest::addColumn<QString>("catalogueLacks");
    QTest::addColumn<QString>("errorSays");
    const QString head = u"msgid \"\"\nmsgstr \"Language: de\\n\"\n\n"_s;
    QTest::newRow("translated, empty and fuzzy entries")
        << head + u"msgctxt \"VLAN|nms\"\nmsgid \"NMS\"\nmsgstr \"Verwaltung\"\n\n"
                  "msgctxt \"VLAN|ok_button\"\nmsgid \"OK\"\nmsgstr \"\"\n\n"
                  "#, fuzzy\nmsgctxt \"VLAN|set_button\"\nmsgid \"&Set\"\nmsgstr \"&Setzen\"\n"_s
        << 0 << u"nms=Verwaltung"_s << u"ok_button"_s << QString();
    QTest::newRow("XLIFF needing review")
        << u"<?xml version=\"1.0\"?><xliff version=\"1.2\" xmlns=\"urn:oasis:names:tc:xliff:document:1.2\">"
           "<file original=\"x\" source-language=\"en\" target-language=\"de\" datatype=\"plaintext\"><body>"
           "<trans-unit id=\"VLAN|nms\"><source>NMS</source><target state=\"translated\">Verwaltung</target></trans-unit>"
           "<trans-unit id=\"VLAN|set_button\"><source>&amp;Set</source><target state=\"needs-review-translation\">"
           "&amp;Setzen</target></trans-unit></body></file></xliff>"_s
        << 0 << u"nms=Verwaltung"_s << u"set_button"_s << QString();
    QTest::newRow("unknown key named, the entry skipped")
        << head + u"msgctxt \"VLAN|nms\"\nmsgid \"NMS\"\nmsgstr \"Verwaltung\"\n\n"
                  "msgctxt \"VLAN|set_butten\"\nmsgid \"&Set\"\nmsgstr \"&Setzen\"\n"_s
        << 1 << u"nms=Verwaltung"_s << u"Setzen"_s << u"entry \"VLAN|set_butten\" (line 8): unknown key"_s;
    QTest::newRow("line break in a translation named")
        << head + u"msgctxt \"VLAN|nms\"\nmsgid \"NMS\"\nmsgstr \"NM\\nS\"\n"_s << 2 << QString() << QString()
        << u"entry \"VLAN|nms\" (line 4): the translation has a line break"_s;
}

void TestKitExchange::importLeavesOutWhatIsNotTranslated()
{
    QFETCH(QString, file);
    QFETCH(int, exitCode);
    QFETCH(QString, catalogueHas);
    QFETCH(QString, catalogueLacks);
    QFETCH(QString, errorSays);
    const QString input = m_dir.filePath(u"in.txt"_s);
    QFile in(input);
    QVERIFY(in.open(QIODevice::WriteOnly | QIODevice::Truncate));
    in.write(file.toUtf8());
    in.close();
    const KitRun run = runKit({u"import"_s, input});
    QCOMPARE(run.exitCode, exitCode);
    if (!catalogueHas.isEmpty())
        QVERIFY2(run.out.contains(catalogueHas) && run.out.contains(u"; Language: de"_s), qPrintable(run.out));
    if (!catalogueLacks.isEmpty())
        QVERIFY2(!run.out.contains(catalogueLacks), qPrintable(run.out));
    if (!errorSays.isEmpty())
        QVERIFY2(run.err.contains(errorSays), qPrintable(run.err));
}

QTEST_MAIN(TestKitExchange)
#include "tst_kit_exchange.moc"
