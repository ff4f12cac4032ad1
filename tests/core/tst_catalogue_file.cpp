// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// What a catalogue path may lead to, and the line walk that the catalogue's
// lookups and the translator tools share.

#include "core/CatalogueFile.h"
#include "core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(CatalogueFileStatus)

class CatalogueFileTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

    QString path(const char* name) const { return m_dir.filePath(QString::fromLatin1(name)); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QFile small(path("small.ini"));
        QVERIFY(small.open(QIODevice::WriteOnly));
        small.write("[VLAN]\nnms=Sprava\n");
        small.close();
        // Sparse: one byte past the limit costs no disk.
        QFile big(path("big.ini"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        big.write("[VLAN]\nnms=Sprava\n");
        QVERIFY(big.resize(kCatalogueFileSizeLimit + 1));
        big.close();
        QFile atLimit(path("at-limit.ini"));
        QVERIFY(atLimit.open(QIODevice::WriteOnly));
        atLimit.write("[VLAN]\nnms=Sprava\n");
        QVERIFY(atLimit.resize(kCatalogueFileSizeLimit));
        atLimit.close();
        QVERIFY(::mkfifo(QFile::encodeName(path("pipe.ini")).constData(), 0600) == 0);
        QVERIFY(QFile::link(path("small.ini"), path("link.ini")));
        QVERIFY(QDir(m_dir.path()).mkdir(QStringLiteral("folder.ini")));
    }

    // Each path either gives the file's text or leaves every text English,
    // says why, and returns at once (a pipe with no writer, or an endless
    // device, would otherwise hang or exhaust the test).
    void pathKinds_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<CatalogueFileStatus>("status");

        QTest::newRow("regular file") << path("small.ini") << CatalogueFileStatus::Read;
        QTest::newRow("link to a regular file") << path("link.ini") << CatalogueFileStatus::Read;
        QTest::newRow("exactly at the size limit") << path("at-limit.ini") << CatalogueFileStatus::Read;
        QTest::newRow("one byte past the limit") << path("big.ini") << CatalogueFileStatus::TooLarge;
        QTest::newRow("pipe without a writer") << path("pipe.ini") << CatalogueFileStatus::NotRegular;
        QTest::newRow("endless device") << QStringLiteral("/dev/zero") << CatalogueFileStatus::NotRegular;
        QTest::newRow("random device") << QStringLiteral("/dev/urandom")
                                       << CatalogueFileStatus::NotRegular;
        QTest::newRow("folder") << path("folder.ini") << CatalogueFileStatus::NotRegular;
        QTest::newRow("missing") << path("none.ini") << CatalogueFileStatus::Missing;
        QTest::newRow("missing folder on the way") << path("small.ini/x.ini")
                                                   << CatalogueFileStatus::Missing;
        QTest::newRow("no name") << QString() << CatalogueFileStatus::NoFile;
    }

    void pathKinds()
    {
        QFETCH(QString, file);
        QFETCH(CatalogueFileStatus, status);

        const TIniFile ini(file);
        QCOMPARE(ini.fileStatus(), status);
        QCOMPARE(ini.FileName(), file);
        const QString nms = ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("nms"),
                                           QStringLiteral("NMS"));
        QCOMPARE(nms, status == CatalogueFileStatus::Read ? QStringLiteral("Sprava")
                                                          : QStringLiteral("NMS"));

        const QString problem = catalogueFileProblem(status, file);
        QCOMPARE(problem.isEmpty(), status == CatalogueFileStatus::Read);
        if (!file.isEmpty() && status != CatalogueFileStatus::Read)
            QVERIFY2(problem.contains(file), qPrintable(problem));
    }

    void unreadableFile()
    {
        if (::geteuid() == 0)
            QSKIP("root reads any file");
        const QString file = path("locked.ini");
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[VLAN]\nnms=x\n");
        f.close();
        QVERIFY(f.setPermissions({}));
        const TIniFile ini(file);
        QCOMPARE(ini.fileStatus(), CatalogueFileStatus::Unreadable);
        QCOMPARE(ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("nms"), QStringLiteral("NMS")),
                 QStringLiteral("NMS"));
    }

    // Every key line in order, with the line numbers an editor shows.
    void lineWalk()
    {
        const QString text = QStringLiteral(
            "; comment\r\n"          // 1
            "top = level\r"          // 2
            "[VLAN]\n"               // 3
            "nms=\n"                 // 4: empty values are walked too
            "nms = \" Spr\u00e1va\"\r\n" // 5
            "\n"                     // 6
            "no equals sign\n"       // 7
            "  = no key\n"           // 8
            "[ QOS ]\r"              // 9
            "&Ok=a=b");              // 10, no final line end
        struct Seen
        {
            QString section, key, value;
            int line;
            bool sectionIsNull;
        };
        std::vector<Seen> seen;
        forEachCatalogueLine(text, [&](const CatalogueLine& l) {
            seen.push_back({l.section.toString(), l.key.toString(), l.value.toString(), l.lineNumber,
                            l.section.isNull()});
        });
        QCOMPARE(seen.size(), std::size_t(4));
        QVERIFY(seen[0].sectionIsNull);
        QCOMPARE(seen[0].key, QStringLiteral("top"));
        QCOMPARE(seen[0].value, QStringLiteral("level"));
        QCOMPARE(seen[0].line, 2);
        QCOMPARE(seen[1].section, QStringLiteral("VLAN"));
        QCOMPARE(seen[1].value, QString());
        QCOMPARE(seen[1].line, 4);
        QCOMPARE(seen[2].value, QStringLiteral(" Spr\u00e1va"));
        QCOMPARE(seen[2].line, 5);
        QCOMPARE(seen[3].section, QStringLiteral("QOS"));
        QCOMPARE(seen[3].key, QStringLiteral("&Ok"));
        QCOMPARE(seen[3].value, QStringLiteral("a=b"));
        QCOMPARE(seen[3].line, 10);
    }

    // Many keys, looked up in another letter case: every one is found with
    // its own value (the lookup table is hashed and sorted).
    void manyKeys()
    {
        QByteArray text;
        for (int s = 0; s < 5; ++s) {
            text += "[Section" + QByteArray::number(s) + "]\n";
            for (int k = 0; k < 2000; ++k)
                text += "Key" + QByteArray::number(k) + "=v" + QByteArray::number(s * 10000 + k) + "\n";
        }
        TIniFile ini;
        ini.parse(text);
        for (int s = 0; s < 5; ++s)
            for (int k = 0; k < 2000; k += 7)
                QCOMPARE(ini.ReadString(QStringLiteral("SECTION%1").arg(s), QStringLiteral("kEY%1").arg(k),
                                        QString()),
                         QStringLiteral("v%1").arg(s * 10000 + k));
        QCOMPARE(ini.ReadString(QStringLiteral("Section5"), QStringLiteral("Key1"), QStringLiteral("-")),
                 QStringLiteral("-"));
        QCOMPARE(ini.ReadString(QStringLiteral("Section0"), QStringLiteral("Key2000"), QStringLiteral("-")),
                 QStringLiteral("-"));
    }

    void parseReplacesTheContents()
    {
        TIniFile ini;
        ini.parse("[VLAN]\nnms=first\n");
        ini.parse("[VLAN]\nok_button=second\n");
        QCOMPARE(ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("nms"), QStringLiteral("NMS")),
                 QStringLiteral("NMS"));
        QCOMPARE(ini.ReadString(QStringLiteral("VLAN"), QStringLiteral("ok_button"), {}),
                 QStringLiteral("second"));
    }
};

QTEST_GUILESS_MAIN(CatalogueFileTest)
#include "tst_catalogue_file.moc"
