// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The demo host's files when the path leads somewhere other than a plain
// file: a pipe, a device, a folder or a planted symbolic link. Each is
// refused with a message and left exactly as it was; nothing blocks.

#include "host/app/ArrayFile.h"
#include "host/app/CommandLine.h"
#include "core/RegularFile.h"
#include "host/app/Screenshots.h"

#include "core/CatalogueFile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>

using namespace Qt::StringLiterals;

namespace {

mode_t typeOf(const QString& path)
{
    struct stat st {};
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? (st.st_mode & S_IFMT) : 0;
}

QByteArray contents(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class HostFilesTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_fifo, m_target, m_link;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_fifo = m_dir.filePath(u"pipe.bin"_s);
        QCOMPARE(::mkfifo(QFile::encodeName(m_fifo).constData(), 0600), 0);
        m_target = m_dir.filePath(u"precious.txt"_s);
        QFile t(m_target);
        QVERIFY(t.open(QIODevice::WriteOnly));
        t.write("precious");
        t.close();
        m_link = m_dir.filePath(u"link.bin"_s);
        QVERIFY(QFile::link(m_target, m_link));
    }

    // Loading never blocks and refuses what is not a regular file.
    void loadRefuses_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("said");
        QTest::newRow("pipe without a writer") << m_fifo << u"is a pipe"_s;
        QTest::newRow("endless device") << u"/dev/zero"_s << u"is a device"_s;
        QTest::newRow("empty device") << u"/dev/null"_s << u"is a device"_s;
        QTest::newRow("folder") << m_dir.path() << u"is a folder"_s;
    }

    void loadRefuses()
    {
        QFETCH(QString, path);
        QFETCH(QString, said);
        const Result<QByteArray> load = loadArrayFile(path, ArrayKind::Qos);
        QVERIFY(!load.ok());
        QVERIFY2(load.error().contains(said) && load.error().contains(path), qPrintable(load.error()));
    }

    void loadFollowsALinkToARegularFile()
    {
        const QString file = m_dir.filePath(u"real.bin"_s);
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(40, '\x07'));
        f.close();
        const QString link = m_dir.filePath(u"real-link.bin"_s);
        QVERIFY(QFile::link(file, link));
        const Result<QByteArray> load = loadArrayFile(link, ArrayKind::Qos);
        QVERIFY(load.ok());
        QCOMPARE(load.value(), QByteArray(40, '\x07'));
    }

    // Saving onto anything but a regular file (or nothing) is refused, and
    // the thing stays what it was: the pipe a pipe, the device a device, the
    // link a link with its target untouched.
    void saveRefuses_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("said");
        QTest::newRow("pipe") << m_fifo << u"is a pipe"_s;
        QTest::newRow("device") << u"/dev/null"_s << u"is a device"_s;
        QTest::newRow("symbolic link to a regular file") << m_link << u"is a symbolic link"_s;
        QTest::newRow("folder") << m_dir.path() << u"is a folder"_s;
    }

    void saveRefuses()
    {
        QFETCH(QString, path);
        QFETCH(QString, said);
        const mode_t before = typeOf(path);
        const Result<void> saved = saveArrayFile(path, QByteArray(82, '\x55'), ArrayKind::Vlan);
        QVERIFY(!saved.ok());
        QVERIFY2(saved.error().contains(said) && saved.error().contains(path), qPrintable(saved.error()));
        QCOMPARE(typeOf(path), before);
        QCOMPARE(contents(m_target), QByteArray("precious"));
        const QStringList left = QDir(m_dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString& name : left)
            QVERIFY2(!name.startsWith(u'.'), qPrintable(name)); // no temporary file left behind
    }

    void saveCreatesAPlainFileWithTheUsualPermissions()
    {
        const QString path = m_dir.filePath(u"new.bin"_s);
        QVERIFY(saveArrayFile(path, QByteArray(40, '\x01'), ArrayKind::Qos).ok());
        QCOMPARE(typeOf(path), mode_t(S_IFREG));
        QCOMPARE(contents(path), QByteArray(40, '\x01'));
        const mode_t mask = ::umask(0);
        ::umask(mask);
        struct stat st {};
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, 0666 & ~mask);

        // A second save keeps the permissions the file has been given since.
        QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner));
        QVERIFY(saveArrayFile(path, QByteArray(40, '\x02'), ArrayKind::Qos).ok());
        QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
        QCOMPARE(st.st_mode & 0777, mode_t(0600));
        QCOMPARE(contents(path), QByteArray(40, '\x02'));
    }

    // A catalogue the library would not read is refused up front, so the
    // user is not left wondering why the texts stay English.
    void catalogueRefusals_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("said");
        QTest::newRow("pipe") << m_fifo << u"is not a file"_s;
        QTest::newRow("device") << u"/dev/zero"_s << u"is not a file"_s;
        QTest::newRow("past the size limit") << m_dir.filePath(u"huge.ini"_s) << u"is larger than"_s;
    }

    void catalogueRefusals()
    {
        QFETCH(QString, path);
        QFETCH(QString, said);
        if (path.endsWith(u"huge.ini"_s)) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(kCatalogueFileSizeLimit + 1)); // sparse
        }
        const Result<void> usable = checkCatalogueFile(path);
        QVERIFY(!usable);
        QVERIFY2(usable.error().contains(said), qPrintable(usable.error()));
    }

    // A link planted under a picture's name stops the run; the link's
    // target keeps its contents.
    void screenshotsDoNotWriteThroughAPlantedLink()
    {
        QTemporaryDir shots;
        QVERIFY(shots.isValid());
        const QString planted = shots.filePath(u"qos-page1.png"_s);
        QVERIFY(QFile::link(m_target, planted));

        ScreenshotRequest request;
        request.dir = shots.path();
        const ScreenshotResult result = takeScreenshots(request);
        QVERIFY2(result.error.contains(u"is a symbolic link"_s), qPrintable(result.error));
        QCOMPARE(typeOf(planted), mode_t(S_IFLNK));
        QCOMPARE(contents(m_target), QByteArray("precious"));
    }
};

QTEST_MAIN(HostFilesTest)
#include "tst_host_files.moc"
