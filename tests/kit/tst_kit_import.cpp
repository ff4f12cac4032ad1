// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The kit's import as a door for files from anywhere, run as a translator
// runs it: hostile files are refused quickly with exit 2 and the output left
// as it was; the files the peers' tools write are read, with the key found
// wherever each tool keeps it.

#include "KitProcess.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QByteArray kHeader = "msgid \"\"\nmsgstr \"Language: de\\n\"\n\n";
const QByteArray kXliffHead = "<?xml version=\"1.0\"?><xliff version=\"1.2\" "
                              "xmlns=\"urn:oasis:names:tc:xliff:document:1.2\"><file original=\"x\" "
                              "source-language=\"en\" target-language=\"de\" datatype=\"plaintext\"><body>";
const QByteArray kXliffTail = "</body></file></xliff>";

QByteArray poEntry(const QByteArray& context, const QByteArray& target)
{
    return "msgctxt \"" + context + "\"\nmsgid \"x\"\nmsgstr \"" + target + "\"\n\n";
}

QByteArray xliffUnit(const QByteArray& id, const QByteArray& target)
{
    return "<trans-unit id=\"" + id + "\" approved=\"yes\"><source>x</source><target>" + target
        + "</target></trans-unit>";
}

QByteArray utf16(const QString& text, bool littleEndian)
{
    QByteArray out;
    for (QChar c : text) {
        const char low = char(c.unicode() & 0xFF), high = char(c.unicode() >> 8);
        out += littleEndian ? QByteArray(1, low) + QByteArray(1, high) : QByteArray(1, high) + QByteArray(1, low);
    }
    return out;
}

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

class TestKitImport : public QObject
{
    Q_OBJECT

private slots:
    void refusedWithNothingWritten_data();
    void refusedWithNothingWritten();
    void read_data();
    void read();

private:
    QTemporaryDir m_dir;
};

void TestKitImport::refusedWithNothingWritten_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("errorSays");
    QTest::addColumn<int>("entriesNamed"); // refusal lines naming an entry; -1: not counted
    const QStringList none;
    const QByteArray nms = poEntry("VLAN|nms", "Verwaltung");

    // Bounds of the XML reader, checked before Qt's own scans.
    QTest::newRow("XLIFF: 100,000 nested <g> in a target")
        << kXliffHead + "<trans-unit id=\"VLAN|nms\"><source>NMS</source><target>" + QByteArray("<g>").repeated(100000)
               + "x" + QByteArray("</g>").repeated(100000) + "</target></trans-unit>" + kXliffTail
        << none << u"nested more than 64 deep"_s << 0;
    QByteArray attributes;
    for (int i = 0; i < 300000; ++i)
        attributes += " a" + QByteArray::number(i) + "=\"\"";
    QTest::newRow("XLIFF: 300,000 attributes on one trans-unit")
        << kXliffHead + "<trans-unit id=\"VLAN|nms\"" + attributes + "><source>x</source><target>V</target>"
               "</trans-unit>" + kXliffTail
        << none << u"more than 64 attributes"_s << 0;
    QByteArray sixtyFour; // with id, one past the limit
    for (int i = 0; i < 64; ++i)
        sixtyFour += " a" + QByteArray::number(i) + "=\"\"";
    QTest::newRow("XLIFF: 65 attributes, after a tag over two lines")
        << kXliffHead + "<group\n id=\"g\"><trans-unit id=\"VLAN|nms\"" + sixtyFour
               + "><source>x</source><target>V</target></trans-unit></group>" + kXliffTail
        << none << u"line 2: an element with more than 64 attributes"_s << 0;
    QTest::newRow("XLIFF: a comment never closed")
        << kXliffHead + "<!-- " + xliffUnit("VLAN|nms", "V") + kXliffTail << none << QString() << 0;
    QTest::newRow("XLIFF: a line break kept by xml:space")
        << kXliffHead + "<trans-unit id=\"VLAN|nms\" xml:space=\"preserve\"><source>x</source><target>V\n</target>"
               "</trans-unit>" + kXliffTail
        << none << u"the translation has a line break"_s << 1;
    QTest::newRow("XLIFF: entities declared in a document type")
        << "<?xml version=\"1.0\"?><!DOCTYPE xliff [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;&a;\">]>"
           + kXliffHead.mid(21) + xliffUnit("VLAN|nms", "&b;") + kXliffTail
        << none << u"document type declaration"_s << 0;

    // A file with nothing in it, or of an unknown kind or version.
    QTest::newRow("empty file") << QByteArray() << none << u"the file is empty"_s << 0;
    QTest::newRow("blanks and line breaks only") << QByteArray(" \n\r\n\t\n") << none << u"the file is empty"_s << 0;
    QTest::newRow("PO header only") << kHeader << none << u"no entry besides the header"_s << 0;
    QTest::newRow("PO of obsolete entries only")
        << kHeader + "#~ msgctxt \"VLAN|nms\"\n#~ msgid \"NMS\"\n#~ msgstr \"V\"\n" << none
        << u"no entry besides the header"_s << 0;
    QTest::newRow("XML without trans-unit") << kXliffHead + kXliffTail << none << u"no trans-unit"_s << 0;
    QTest::newRow("XLIFF 2.0")
        << QByteArray("<xliff version=\"2.0\" xmlns=\"urn:oasis:names:tc:xliff:document:2.0\" srcLang=\"en\" "
                      "trgLang=\"de\"><file id=\"f\"><unit id=\"VLAN|nms\"><segment><source>NMS</source>"
                      "<target>V</target></segment></unit></file></xliff>")
        << none << u"XLIFF version \"2.0\" is not read"_s << 0;
    QTest::newRow("a Qt TS file")
        << QByteArray("<?xml version=\"1.0\"?><TS version=\"2.1\"><context><name>VLAN</name><message>"
                      "<source>NMS</source><translation>V</translation></message></context></TS>")
        << none << u"not XLIFF: the root element is <TS>"_s << 0;
    QTest::newRow("XLIFF: an entity named with a terminal escape")
        << kXliffHead + xliffUnit("VLAN|nms", "&a\x1b" "b;") + kXliffTail << none
        << u"Entity 'a\\u001bb' not declared"_s << 0;
    QTest::newRow("an INI catalogue") << QByteArray("[VLAN]\nnms=Verwaltung\n") << none
                                      << u"not PO: the keyword \"[VLAN]\" is unknown"_s << 0;
    QTest::newRow("no entry names a key")
        << kHeader + poEntry("VLAN|gone", "a") + poEntry("QOS|also_gone", "b") << none
        << u"none of the 2 entries names a key of the dialogs"_s << 0;

    // The language: a language code only.
    QTest::newRow("PO Language with carriage returns")
        << "msgid \"\"\nmsgstr \"Language: de\\r[QOS]\\rCancel=X\\r\\n\"\n\n" + nms << none
        << u"the language \"de\\r[QOS]\\rCancel=X\" (from the file) is not a language code"_s << 0;
    QTest::newRow("XLIFF target-language with &#10;")
        << QByteArray(kXliffHead).replace("\"de\"", "\"de&#10;[QOS]&#10;Cancel=X\"") + xliffUnit("VLAN|nms", "V") + kXliffTail
        << none << u"is not a language code"_s << 0;
    QTest::newRow("--language with a line break")
        << kHeader + nms << QStringList{u"--language"_s, u"de\n[QOS]"_s}
        << u"--language takes a language code (letters, digits, '_' and '-'), not 'de\\n[QOS]'"_s << 0;
    QTest::newRow("--language with '='") << kHeader + nms << QStringList{u"--language"_s, u"de=x"_s}
                                         << u"--language takes a language code"_s << 0;

    // Every line-breaking character, wherever the value comes from.
    const struct
    {
        const char* name;
        QByteArray escaped;
        const char* codePoint;
    } breaks[] = {{"CR", "\\r", "U+000D"},           {"LF", "\\n", "U+000A"},
                  {"VT", "\\v", "U+000B"},           {"FF", "\\f", "U+000C"},
                  {"NEL", "\xC2\x85", "U+0085"},     {"LS", "\xE2\x80\xA8", "U+2028"},
                  {"PS", "\xE2\x80\xA9", "U+2029"},  {"NEL as octal escapes", "\\302\\205", "U+0085"}};
    for (const auto& b : breaks)
        QTest::newRow(qPrintable(u"PO: %1 in a msgstr"_s.arg(QLatin1String(b.name))))
            << kHeader + poEntry("VLAN|nms", "NM" + b.escaped + "[VLAN]") << none
            << u"entry \"VLAN|nms\" (line 4): the translation has a line break (%1)"_s.arg(QLatin1String(b.codePoint))
            << 1;
    for (const char* ref : {"&#13;", "&#10;", "&#133;", "&#x2028;", "&#x2029;"})
        QTest::newRow(qPrintable(u"XLIFF: %1 in a target"_s.arg(QLatin1String(ref))))
            << kXliffHead + xliffUnit("VLAN|nms", "NM" + QByteArray(ref) + "S") + kXliffTail << none
            << u"the translation has a line break"_s << 1;
    QTest::newRow("PO: a NUL byte as an escape") << kHeader + poEntry("VLAN|nms", "N\\0S") << none
                                                 << u"a control character (U+0000)"_s << 1;

    // Escapes that gettext would read otherwise, or not at all.
    QTest::newRow("PO: octal escapes that form no UTF-8") << kHeader + poEntry("VLAN|nms", "\\377\\376") << none
                                                          << u"do not form UTF-8"_s << 0;
    QTest::newRow("PO: a hex escape past one byte") << kHeader + poEntry("VLAN|nms", "\\x100") << none
                                                    << u"line 6: a malformed string"_s << 0;
    QTest::newRow("PO: a hex escape without a digit") << kHeader + poEntry("VLAN|nms", "N\\xgS") << none
                                                      << u"line 6: a malformed string"_s << 0;
    QTest::newRow("PO: a string without quotes") << kHeader + "msgctxt \"VLAN|nms\"\nmsgid \"x\"\nmsgstr Verwaltung\n"
                                                 << none << u"line 6: a malformed string"_s << 0;
    QTest::newRow("PO: a string without its closing quote")
        << kHeader + "msgctxt \"VLAN|nms\"\nmsgid \"x\"\nmsgstr \"Verwaltung\n" << none
        << u"line 6: a malformed string"_s << 0;
    QTest::newRow("PO: a string without its opening quote")
        << kHeader + "msgctxt \"VLAN|nms\"\nmsgid \"x\"\nmsgstr Verwaltung\"\n" << none
        << u"line 6: a malformed string"_s << 0;
    QTest::newRow("PO: a string of one quote") << kHeader + "msgctxt \"VLAN|nms\"\nmsgid \"x\"\nmsgstr \"\n" << none
                                               << u"line 6: a malformed string"_s << 0;
    QTest::newRow("PO: a header naming Latin-1")
        << "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=ISO-8859-1\\n\"\n\n" + nms << none
        << u"charset=ISO-8859-1; convert the file to UTF-8 first (msgconv"_s << 0;

    // Entries that cannot be placed: one message each.
    QTest::newRow("two translations without a key")
        << kHeader + "msgid \"NMS\"\nmsgstr \"V\"\n\nmsgid \"OK\"\nmsgstr \"O\"\n\n" + nms << none
        << u"entry \"OK\" (line 7): no key"_s << 2;
    QTest::newRow("PO: a plural entry")
        << kHeader + "msgctxt \"VLAN|nms\"\nmsgid \"NMS\"\nmsgid_plural \"NMSs\"\nmsgstr[0] \"V\"\nmsgstr[1] \"Vs\"\n"
        << none << u"entry \"VLAN|nms\" (line 4): a plural entry"_s << 1;
    QTest::newRow("XLIFF: a plural group")
        << kXliffHead + "<group restype=\"x-gettext-plurals\">" + xliffUnit("VLAN|nms", "V")
               + xliffUnit("VLAN|nms[1]", "Vs") + "</group>" + kXliffTail
        << none << u"a plural entry"_s << 1;
    QTest::newRow("a key given twice") << kHeader + nms + poEntry("vlan|NMS", "Other") << none
                                       << u"[VLAN] nms given twice"_s << 1;

    // Encodings that are not UTF-8, named as what they are.
    const QString po = QString::fromUtf8(kHeader + nms);
    QTest::newRow("UTF-16LE without a byte order mark")
        << utf16(po, true) << none << u"UTF-16LE without a byte order mark; save the file as UTF-8"_s << 0;
    QTest::newRow("UTF-16BE without a byte order mark")
        << utf16(po, false) << none << u"UTF-16BE without a byte order mark"_s << 0;
}

void TestKitImport::refusedWithNothingWritten()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(QString, errorSays);
    QFETCH(int, entriesNamed);
    QVERIFY(m_dir.isValid());
    const QString input = m_dir.filePath(u"refused.in"_s);
    const QString output = m_dir.filePath(u"kept.ini"_s);
    const QByteArray kept = "; Language: de\n\n[VLAN]\nnms=kept\n";
    QVERIFY(writeFile(input, file));
    QVERIFY(writeFile(output, kept));
    QElapsedTimer clock;
    clock.start();
    const KitRun run = runKit(QStringList{u"import"_s, input, u"-o"_s, output} + options);
    QVERIFY2(clock.elapsed() < 30000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(run.exitCode, 2);
    QVERIFY2(run.err.contains(errorSays), qPrintable(run.err));
    QCOMPARE(readFile(output), kept);
    QVERIFY(run.out.isEmpty());
    if (entriesNamed >= 0) {
        int named = 0;
        for (const QString& line : run.err.split(u'\n'))
            named += line.contains(u": entry \""_s) ? 1 : 0;
        QCOMPARE(named, entriesNamed);
    }
    // Every message is one line of its own, whatever the file held, and
    // shows no control character to the terminal.
    for (const QString& line : run.err.split(u'\n', Qt::SkipEmptyParts)) {
        QVERIFY2(line.startsWith(input) || line.startsWith(u"QStandardPaths"_s)
                     || line.startsWith(u"odu-switch-translate: "_s) || line.startsWith(u"Try "_s),
                 qPrintable(line));
        for (QChar c : line)
            QVERIFY2(c.unicode() >= 0x20 && c.unicode() != 0x7F, qPrintable(line));
    }
}

void TestKitImport::read_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QStringList>("catalogueHas");
    QTest::addColumn<QString>("errorSays");
    const QStringList none;
    const QStringList nms{u"; Language: de"_s, u"nms=Verwaltung"_s};

    // gettext's escapes.
    QTest::newRow("PO: octal escapes") << kHeader + poEntry("VLAN|nms", "Verwaltung \\303\\244\\101") << none << 0
                                       << QStringList{u"nms=Verwaltung äA"_s} << QString();
    QTest::newRow("PO: hex escapes") << kHeader + poEntry("VLAN|nms", "Verwaltung \\xc3\\xA4\\x41") << none << 0
                                     << QStringList{u"nms=Verwaltung äA"_s} << QString();
    QTest::newRow("PO: a tab and quotes") << kHeader + poEntry("VLAN|nms", "\\\"V\\tW\\\"") << none << 0
                                          << QStringList{u"nms=\"\"V\tW\"\""_s} << QString();

    // Unknown keys: a warning that skips the entry, with the way out.
    QTest::newRow("an unknown key")
        << kHeader + poEntry("VLAN|nms", "Verwaltung") + poEntry("VLAN|set_butten", "&Setzen") << none << 1 << nms
        << u"entry \"VLAN|set_butten\" (line 8): unknown key [VLAN] set_butten: skipped"_s;
    QTest::newRow("an unknown key: the hint names msgmerge")
        << kHeader + poEntry("VLAN|nms", "Verwaltung") + poEntry("VLAN|set_butten", "&Setzen") << none << 1 << nms
        << u"hint: an older PO file is brought up to date with msgmerge against a fresh export"_s;
    // Trouble outweighs findings: the catalogue cannot be written.
    QTest::newRow("an unknown key, and -o into a missing folder")
        << kHeader + poEntry("VLAN|nms", "Verwaltung") + poEntry("VLAN|set_butten", "&Setzen")
        << QStringList{u"-o"_s, u"/nonexistent/de.ini"_s} << 2 << QStringList()
        << u"odu-switch-translate: '/nonexistent/de.ini' cannot be written"_s;
    QTest::newRow("an unknown key in a fuzzy entry")
        << kHeader + poEntry("VLAN|nms", "Verwaltung") + "#, fuzzy\n" + poEntry("VLAN|gone", "Weg") << none << 0
        << nms << u"1 translated, 1 left out"_s;

    // Where each peer keeps the key.
    QTest::newRow("PO: xliff2po's quoted reference")
        << kHeader + "#: VLAN%7Cnms\nmsgid \"NMS\"\nmsgstr \"Verwaltung\"\n" << none << 0 << nms << QString();
    QTest::newRow("PO: the kit's reference alone")
        << kHeader + "#: [VLAN]nms\nmsgid \"NMS\"\nmsgstr \"Verwaltung\"\n" << none << 0 << nms << QString();
    QTest::newRow("PO: a reference with no blank after '#:'")
        << kHeader + "#:[VLAN]nms\nmsgid \"NMS\"\nmsgstr \"Verwaltung\"\n" << none << 0 << nms << QString();
    QTest::newRow("PO: lconvert's ts-id")
        << kHeader + "#. ts-id VLAN|nms\nmsgid \"NMS\"\nmsgstr \"Verwaltung\"\n" << none << 0 << nms << QString();
    QTest::newRow("PO: Poedit's header, wrapped strings, previous msgid, CRLF")
        << QByteArray("msgid \"\"\r\nmsgstr \"\"\r\n\"Project-Id-Version: odu\\n\"\r\n\"Language: de\\n\"\r\n"
                      "\"Plural-Forms: nplurals=2; plural=(n != 1);\\n\"\r\n\"X-Generator: Poedit 3.2.2\\n\"\r\n\r\n"
                      "#| msgid \"Old\"\r\nmsgctxt \"VLAN|nms\"\r\nmsgid \"NMS\"\r\nmsgstr \"\"\r\n\"Verwal\"\r\n"
                      "\"tung\"\r\n")
        << none << 0 << nms << QString();
    QTest::newRow("PO: an obsolete entry right before a live one")
        << kHeader + "#~ msgctxt \"VLAN|ok_button\"\n#~ msgid \"OK\"\n#~ msgstr \"Gut\"\n" + poEntry("VLAN|nms", "Verwaltung")
        << none << 0 << nms << u"1 translated, 0 left out"_s;
    QTest::newRow("XLIFF: lconvert's msgctxt context")
        << kXliffHead + "<trans-unit id=\"_msg1\" approved=\"yes\"><source xml:space=\"preserve\">NMS</source>"
               "<target xml:space=\"preserve\">Verwaltung</target><context-group><context "
               "context-type=\"x-gettext-msgctxt\">VLAN|nms</context></context-group></trans-unit>" + kXliffTail
        << none << 0 << nms << QString();
    QTest::newRow("XLIFF: po2xliff's header unit and reference")
        << QByteArray(kXliffHead).replace("target-language=\"de\" ", "")
               + "<trans-unit xml:space=\"preserve\" id=\"2\" approved=\"no\" restype=\"x-gettext-domain-header\">"
                 "<source>Language: de\n</source><target state=\"translated\">Language: de\n</target></trans-unit>"
                 "<trans-unit xml:space=\"preserve\" id=\"3\" approved=\"yes\"><source>NMS</source><target "
                 "state=\"translated\">Verwaltung</target><context-group name=\"po-reference\" purpose=\"location\">"
                 "<context context-type=\"sourcefile\">[VLAN]nms</context></context-group></trans-unit>" + kXliffTail
        << none << 0 << nms << u"1 translated, 0 left out"_s;
    QTest::newRow("XLIFF: the key in resname, a safe id, a fuzzy unit")
        << kXliffHead + "<trans-unit id=\"vlan.nms\" resname=\"VLAN|nms\" approved=\"yes\"><source>NMS</source>"
               "<target state=\"translated\">Verwaltung</target></trans-unit><trans-unit id=\"vlan.set\" "
               "resname=\"VLAN|set_button\"><source>&amp;Set</source><target state=\"needs-review-translation\">"
               "&amp;Setzen</target></trans-unit>" + kXliffTail
        << none << 0 << nms << u"1 translated, 1 left out"_s;
    QTest::newRow("XLIFF: the kit's older group and resname")
        << kXliffHead + "<group id=\"VLAN\" resname=\"VLAN\"><trans-unit id=\"VLAN|nms\" resname=\"nms\" "
               "xml:space=\"preserve\"><source>NMS</source><target state=\"translated\">Verwaltung</target>"
               "</trans-unit></group>" + kXliffTail
        << none << 0 << nms << QString();
    QByteArray sixtyThree; // with id, at the limit
    for (int i = 0; i < 63; ++i)
        sixtyThree += " a" + QByteArray::number(i) + "=\"\"";
    QTest::newRow("XLIFF: 64 attributes on one trans-unit")
        << kXliffHead + "<trans-unit id=\"VLAN|nms\"" + sixtyThree
               + "><source>x</source><target>Verwaltung</target></trans-unit>" + kXliffTail
        << none << 0 << nms << QString();
    QTest::newRow("XLIFF: a comment and a CDATA section")
        << kXliffHead + "<!-- <!DOCTYPE x> -->" + xliffUnit("VLAN|nms", "<![CDATA[Verwaltung]]>") + kXliffTail << none
        << 0 << nms << QString();
    QTest::newRow("XLIFF: inline elements, a proposal and layout")
        << kXliffHead + "<trans-unit id=\"VLAN|nms\"><source>NMS</source><target>\n    <g id=\"1\">Verwal<mrk "
               "mtype=\"x\">tung</mrk></g>\n  </target><alt-trans><target>Falsch</target></alt-trans></trans-unit>"
               + kXliffTail
        << none << 0 << nms << QString();

    // The language.
    QTest::newRow("a region with '-'") << "msgid \"\"\nmsgstr \"Language: pt-BR\\n\"\n\n" + poEntry("VLAN|nms", "Gerência")
                                       << none << 0 << QStringList{u"; Language: pt_BR"_s} << QString();
    QTest::newRow("--language over a header that is no code")
        << "msgid \"\"\nmsgstr \"Language: de\\r[QOS]\\n\"\n\n" + poEntry("VLAN|nms", "Verwaltung")
        << QStringList{u"--language"_s, u"de"_s} << 0 << nms << QString();
    QTest::newRow("UTF-16LE with a byte order mark")
        << "\xFF\xFE" + utf16(QString::fromUtf8(kHeader + poEntry("VLAN|nms", "Verwaltung")), true) << none << 0 << nms
        << QString();
}

void TestKitImport::read()
{
    QFETCH(QByteArray, file);
    QFETCH(QStringList, options);
    QFETCH(int, exitCode);
    QFETCH(QStringList, catalogueHas);
    QFETCH(QString, errorSays);
    QVERIFY(m_dir.isValid());
    const QString input = m_dir.filePath(u"read.in"_s);
    QVERIFY(writeFile(input, file));
    const KitRun run = runKit(QStringList{u"import"_s, input} + options);
    QVERIFY2(run.exitCode == exitCode, qPrintable(run.err));
    for (const QString& line : catalogueHas)
        QVERIFY2(run.out.split(u'\n').contains(line), qPrintable(run.out));
    QVERIFY2(run.err.contains(errorSays), qPrintable(run.err));
}

QTEST_MAIN(TestKitImport)
#include "tst_kit_import.moc"
