// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// At 96 pixels per inch with the English texts every control of the three
// dialogs keeps the place and size it was designed with. The expected places
// are a committed record (design-geometry-96.txt), made with the dialogs' face
// Liberation Sans Narrow at its line height of 12 pixels (fonts-liberation
// 1.07.4, Debian 12). The face's advances set the widths and the columns, its
// line height the heights and the rows: a face with the same advances and
// another line height (1.07.6, Debian 13: 10 pixels) keeps every horizontal
// place and size, and another face is no measure of the record at all. Run
// the test with ODU_RECORD_GEOMETRY=<file> to write what the dialogs show now.

#include "LayoutSupport.h"

#include <QFile>
#include <QFontInfo>
#include <QFontMetrics>
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
    bool linesAsRecorded = true;
    {
        OpenDialogs dialogs(nullptr);
        const QFont face = dialogs.qos->font();
        const QString family = QFontInfo(face).family();
        if (family != QLatin1String("Liberation Sans Narrow"))
            QSKIP(qPrintable(QStringLiteral("the record was made with Liberation Sans Narrow; the dialogs use %1 here")
                                 .arg(family)));
        linesAsRecorded = QFontMetrics(face).height() == 12;
        if (!linesAsRecorded)
            qInfo("Liberation Sans Narrow has %d-pixel lines here, not 12: comparing horizontal places and sizes",
                  QFontMetrics(face).height());
    }

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

    // Compare by control, so that a report names every control that moved;
    // with another line height, by x and width alone.
    const auto byControl = [linesAsRecorded](const QStringList& lines) {
        QMap<QString, QString> map;
        for (const QString& line : lines) {
            const QStringList parts = line.split(QLatin1Char(' '));
            const QStringList place = linesAsRecorded ? parts.mid(2) : QStringList{parts.value(2), parts.value(4)};
            map.insert(parts.mid(0, 2).join(QLatin1Char(' ')), place.join(QLatin1Char(' ')));
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
