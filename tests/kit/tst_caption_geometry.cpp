// Run once per density (QT_FONT_DPI set by CTest): the kit, started from
// here, examines the real dialogs at this density.

#include "KitProcess.h"

#include <QTemporaryDir>

class TestCaptionGeometry : public QObject
{
    Q_OBJECT

private slots:
    void everyCaptionFits_data();
    void everyCaptionFits();
};

void TestCaptionGeometry::everyCaptionFits_data()
{
    QTest::addColumn<QStringList>("make");
    QTest::newRow("English texts") << QStringList{QStringLiteral("template")};
    QTest::newRow("pseudo-translation 40 % longer")
        << QStringList{QStringLiteral("pseudo"), QStringLiteral("--expand"), QStringLiteral("40")};
}

void TestCaptionGeometry::everyCaptionFits()
{
    QFETCH(QStringList, make);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString catalogue = dir.filePath(QStringLiteral("catalogue.ini"));
    const KitRun written = runKit(make + QStringList{QStringLiteral("-o"), catalogue});
    QCOMPARE(written.exitCode, 0);

    // The hidden command that `check` starts for each density; it inherits
    // this test's density.
    const KitRun measured = runKit({QStringLiteral("measure-captions"), catalogue});
    QVERIFY2(measured.exitCode == 0 || measured.exitCode == 1, qPrintable(measured.err));
    QVERIFY2(measured.out.trimmed().isEmpty(),
             qPrintable(QStringLiteral("at %1 dpi:\n%2").arg(qEnvironmentVariable("QT_FONT_DPI"), measured.out)));
    QCOMPARE(measured.exitCode, 0);
}

QTEST_GUILESS_MAIN(TestCaptionGeometry)
#include "tst_caption_geometry.moc"
