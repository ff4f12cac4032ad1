// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "core/IniFile.h"
#include "plugin/InstancePointers.h"
#include "core/Lookup.h"

#include <QRandomGenerator>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <string>

class CatalogueTest : public QObject
{
    Q_OBJECT

private:
    static QByteArray utf16(const char16_t* text, QSysInfo::Endian order)
    {
        QByteArray bytes;
        const std::u16string s = std::u16string(u"\uFEFF") + text;
        for (char16_t c : s) {
            const char high = char(c >> 8), low = char(c & 0xFF);
            if (order == QSysInfo::LittleEndian)
                bytes.append(low).append(high);
            else
                bytes.append(high).append(low);
        }
        return bytes;
    }

    QTemporaryDir m_dir;
    QString write(const QByteArray& content)
    {
        static int n = 0;
        const QString path = m_dir.filePath(QStringLiteral("cat%1.ini").arg(++n));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            qFatal("cannot write test catalogue");
        f.write(content);
        return path;
    }

private slots:
    void instancePointersStartNull()
    {
        QVERIFY(Qos_form1 == nullptr);
        QVERIFY(Vlan_form1 == nullptr);
        QVERIFY(Form3 == nullptr);
    }

    void reading_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("section");
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("expected");

        QTest::newRow("plain value") << QByteArray("[VLAN]\nnms=Řízení\n") << "VLAN" << "nms"
                                     << QString::fromUtf8("Řízení");
        QTest::newRow("blanks around key and value are trimmed")
            << QByteArray("[VLAN]\n  nms  =   Management  \n") << "VLAN" << "nms" << "Management";
        QTest::newRow("quotes keep a leading blank")
            << QByteArray("[VLAN]\nuntagged_member=\" Netagováno\"\n") << "VLAN" << "untagged_member"
            << QString::fromUtf8(" Netagováno");
        QTest::newRow("byte order mark is ignored")
            << QByteArray("\xEF\xBB\xBF[QOS]\n&Ok=&Dobře\n") << "QOS" << "&Ok"
            << QString::fromUtf8("&Dobře");
        QTest::newRow("section and key ignore letter case")
            << QByteArray("[qos]\nTAG_PRI_TAB_HEAD=Tag\n") << "QOS" << "TAG_Pri_tab_head" << "Tag";
        QTest::newRow("first of duplicate keys wins")
            << QByteArray("[VLAN]\nnms=first\nnms=second\n") << "VLAN" << "nms" << "first";
        QTest::newRow("comment lines are skipped")
            << QByteArray("[VLAN]\n; nms=commented\n# nms=also\nnms=real\n") << "VLAN" << "nms"
            << "real";
        QTest::newRow("semicolon inside a value is kept")
            << QByteArray("[VLAN]\nnms=a; b # c\n") << "VLAN" << "nms" << "a; b # c";
        QTest::newRow("value splits at the first equals sign")
            << QByteArray("[VLAN]\nnms=a=b\n") << "VLAN" << "nms" << "a=b";
        QTest::newRow("empty value falls back to the default")
            << QByteArray("[VLAN]\nnms=\n") << "VLAN" << "nms" << "default";
        QTest::newRow("empty quoted value falls back to the default")
            << QByteArray("[VLAN]\nnms=\"\"\n") << "VLAN" << "nms" << "default";
        QTest::newRow("key of another section is not seen")
            << QByteArray("[VLAN]\n&Ok=Dobře\n") << "QOS" << "&Ok" << "default";
        QTest::newRow("no escape sequences")
            << QByteArray("[QOS]\nAll_changes_msg=a\\nb\n") << "QOS" << "All_changes_msg" << "a\\nb";
        QTest::newRow("CRLF line ends")
            << QByteArray("[VLAN]\r\nnms=x\r\nok_button=y\r\n") << "VLAN" << "ok_button" << "y";
        QTest::newRow("lines before any section belong to no section")
            << QByteArray("nms=x\n[VLAN]\n") << "VLAN" << "nms" << "default";
        QTest::newRow("no final line end") << QByteArray("[VLAN]\nnms=x") << "VLAN" << "nms" << "x";
        QTest::newRow("CR line ends, as old Mac editors save")
            << QByteArray("[VLAN]\rnms=x\rok_button=y\r") << "VLAN" << "ok_button" << "y";
        QTest::newRow("mixed line ends")
            << QByteArray("[QOS]\r\n&Ok=a\r[VLAN]\nnms=b\r\n") << "VLAN" << "nms" << "b";
        QTest::newRow("UTF-16 LE with byte order mark")
            << utf16(u"[VLAN]\r\nnms=Řízení\r\n", QSysInfo::LittleEndian) << "VLAN"
            << "nms" << QString::fromUtf8("Řízení");
        QTest::newRow("UTF-16 BE with byte order mark")
            << utf16(u"[VLAN]\nnms=Řízení\n", QSysInfo::BigEndian) << "VLAN" << "nms"
            << QString::fromUtf8("Řízení");
        QTest::newRow("non-ASCII names ignore letter case")
            << QByteArray("[Čeština]\nŽluť=ano\n") << QString::fromUtf8("ČEŠTINA")
            << QString::fromUtf8("žLUŤ") << "ano";
        // A letter outside the basic plane, last in the name: its two halves fold as one letter.
        QTest::newRow("a Deseret capital ends a name, looked up in small letters")
            << QByteArray("[VLAN]\nnms\xf0\x90\x90\x80=ano\n") << "VLAN" << QString::fromUtf8("NMS\xf0\x90\x90\xa8")
            << "ano";
        QTest::newRow("first value wins across a repeated section")
            << QByteArray("[VLAN]\nnms=first\n[QOS]\nnms=other\n[vlan]\nNMS=second\n") << "VLAN"
            << "nms" << "first";
        QTest::newRow("an empty value does not hide a later one")
            << QByteArray("[VLAN]\nnms=\nnms=later\n") << "VLAN" << "nms" << "later";
        QTest::newRow("a heading without a closing bracket keeps the section")
            << QByteArray("[VLAN]\n[QOS\nnms=x\n") << "VLAN" << "nms" << "x";
    }

    void reading()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, section);
        QFETCH(QString, key);
        QFETCH(QString, expected);
        const TIniFile ini(write(content));
        QCOMPARE(ini.ReadString(section, key, QStringLiteral("default")), expected);
    }

    void longValueIsKeptWhole()
    {
        const QByteArray value(5000, 'x');
        const TIniFile ini(write("[VLAN]\nnms=" + value + "\nok_button=after\n"));
        QCOMPARE(ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("nms"), {}).size(), 5000);
        QCOMPARE(ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("ok_button"), {}),
                 QStringLiteral("after"));
    }

    void missingFileIsEmptyCatalogue()
    {
        const TIniFile ini(m_dir.filePath(QStringLiteral("does-not-exist.ini")));
        QCOMPARE(ini.FileName(), m_dir.filePath(QStringLiteral("does-not-exist.ini")));
        QCOMPARE(ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("nms"), QStringLiteral("NMS")),
                 QStringLiteral("NMS"));
    }

    void emptyNameMeansNoFile()
    {
        const TIniFile ini{QString()};
        QVERIFY(ini.FileName().isEmpty());
        QCOMPARE(ini.ReadString(QStringLiteral("QOS"), QStringLiteral("&Ok"), QStringLiteral("&Ok")),
                 QStringLiteral("&Ok"));
    }

    void randomBytesNeverFail()
    {
        QRandomGenerator rng(20261209);
        for (int round = 0; round < 50; ++round) {
            QByteArray junk(int(rng.bounded(1, 4000)), Qt::Uninitialized);
            for (char& c : junk)
                c = char(rng.bounded(256));
            if (round % 2)
                junk.prepend("[VLAN]\nnms=");
            const TIniFile ini(write(junk));
            const QString v = ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("ok_button"),
                                             QStringLiteral("OK"));
            QVERIFY(!v.isEmpty());
        }
    }

    void lookupToleratesNullCatalogue()
    {
        QCOMPARE(lookup(nullptr, QStringLiteral("VLAN"), QStringLiteral("nms"), QStringLiteral("NMS")),
                 QStringLiteral("NMS"));
    }

    void hostMayBackTheCatalogue()
    {
        struct Store : TIniFile
        {
            QString ReadString(const QString&, const QString& key, const QString& def) const override
            {
                return key == QLatin1String("nms") ? QStringLiteral("from store") : def;
            }
        } store;
        const TIniFile* ini = &store;
        QCOMPARE(lookup(ini, QStringLiteral("VLAN"), QStringLiteral("nms"), QStringLiteral("NMS")),
                 QStringLiteral("from store"));
    }
};

QTEST_GUILESS_MAIN(CatalogueTest)
#include "tst_catalogue.moc"
