// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// At 96 pixels per inch with the English texts every control of the three
// dialogs keeps the place and size it was designed with. The expected places
// are a committed record (design-geometry-96.txt); run the test with
// ODU_RECORD_GEOMETRY=<file> to write what the dialogs show now.

#include "LayoutSupport.h"

#include <QFile>
#include <QTextStream>

class TestDesignGeometry : public QObject
{
    Q_OBJECT

private slots:
    void unchangedAtDesignDensity();
};

namespace {

QStringList currentRecord()
{
    QStringList lines;
    OpenDialogs dialogs(nullptr);
    for (QDialog* d : dialogs.all()) {
        for (const PlacedControl& c : placedControls(d))
            lines << QStringLiteral("%1 %2 %3 %4 %5 %6")
                         .arg(OpenDialogs::nameOf(d), QString(c.name).replace(QLatin1Char(' '), QLatin1Char('_')))
                         .arg(c.rect.x())
                         .arg(c.rect.y())
                         .arg(c.rect.width())
                         .arg(c.rect.height());
        d->hide();
    }
    return lines;
}

} // namespace

void TestDesignGeometry::unchangedAtDesignDensity()
{
    QWidget probe;
    if (probe.logicalDpiX() != 96)
        QSKIP("the design geometry holds at 96 pixels per inch");

    const QStringList now = currentRecord();
    const QString recordTo = qEnvironmentVariable("ODU_RECORD_GEOMETRY");
    if (!recordTo.isEmpty()) {
        QFile out(recordTo);
        QVERIFY(out.open(QIODevice::WriteOnly | QIODevice::Text));
        QTextStream(&out) << now.join(QLatin1Char('\n')) << '\n';
        QSKIP("geometry recorded");
    }

    QFile in(QStringLiteral(ODU_DESIGN_GEOMETRY));
    QVERIFY2(in.open(QIODevice::ReadOnly | QIODevice::Text), qPrintable(in.fileName()));
    const QStringList expected = QString::fromUtf8(in.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);

    // Compare by control, so that a report names every control that moved.
    const auto byControl = [](const QStringList& lines) {
        QMap<QString, QString> map;
        for (const QString& line : lines) {
            const QStringList parts = line.split(QLatin1Char(' '));
            map.insert(parts.mid(0, 2).join(QLatin1Char(' ')), parts.mid(2).join(QLatin1Char(' ')));
        }
        return map;
    };
    const QMap<QString, QString> want = byControl(expected);
    const QMap<QString, QString> have = byControl(now);
    QStringList differences;
    for (auto it = want.cbegin(); it != want.cend(); ++it) {
        const QString got = have.value(it.key(), QStringLiteral("missing"));
        if (got != it.value())
            differences << QStringLiteral("%1: designed %2, now %3").arg(it.key(), it.value(), got);
    }
    for (auto it = have.cbegin(); it != have.cend(); ++it)
        if (!want.contains(it.key()))
            differences << QStringLiteral("%1: not in the record (%2)").arg(it.key(), it.value());
    QVERIFY2(differences.isEmpty(), qPrintable(differences.join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestDesignGeometry)
#include "tst_design_geometry.moc"
