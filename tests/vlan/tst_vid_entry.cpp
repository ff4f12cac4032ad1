// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The VID entry dialog, driven by real key and mouse events.

#include "tests/support/RecordingCatalogue.h"

#include "vlan/Unit3.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

class TestVidEntry : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void opensWithVidAndEmptyStatus();
    void captionsFromCatalogue();
    void captionsDefault();
    void okButton_data();
    void okButton();
    void statusClearedWhenEditGetsFocus();
    void editTakesFourDigitsOnly();
    void cancelWays_data();
    void cancelWays();
    void enterPressesOk();
    void fixedBorderAndIcon();
};

void TestVidEntry::cleanup()
{
    QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()
                || std::none_of(QApplication::topLevelWidgets().cbegin(),
                                QApplication::topLevelWidgets().cend(),
                                [](QWidget* w) { return w->isVisible(); }));
}

void TestVidEntry::opensWithVidAndEmptyStatus()
{
    short out = -7;
    TForm3 dlg(nullptr, nullptr, 7, &out);
    QCOMPARE(dlg.Edit1->text(), QStringLiteral("7"));
    QCOMPARE(dlg.Label2->text(), QString());
    QCOMPARE(out, short(-7));
    // The controls are found by their names.
    for (const char* name : {"Label1", "Edit1", "Button1", "Button2", "Label2"})
        QVERIFY2(dlg.findChild<QWidget*>(QLatin1String(name)), name);
}

void TestVidEntry::captionsFromCatalogue()
{
    RecordingCatalogue cat;
    cat.values = {{QStringLiteral("entry_vid"), QStringLiteral("VID eingeben")},
                  {QStringLiteral("ok_button"), QStringLiteral("Gut")},
                  {QStringLiteral("cancel_button"), QStringLiteral("Abbruch")},
                  {QStringLiteral("vid_id_out"), QStringLiteral("Ausserhalb")}};
    short out = 0;
    TForm3 dlg(nullptr, &cat, 1, &out);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("VID eingeben"));
    QCOMPARE(dlg.Label1->text(), QStringLiteral("VID eingeben"));
    QCOMPARE(dlg.Button1->text(), QStringLiteral("Gut"));
    QCOMPARE(dlg.Button2->text(), QStringLiteral("Abbruch"));
    QCOMPARE(vidOutOfRangeText, QStringLiteral("Ausserhalb"));
    QCOMPARE(cat.keys(), (QStringList{QStringLiteral("vid_id_out"), QStringLiteral("entry_vid"),
                                      QStringLiteral("entry_vid"), QStringLiteral("ok_button"),
                                      QStringLiteral("cancel_button")}));
    for (const auto& l : cat.lookups)
        QCOMPARE(l.section, QStringLiteral("VLAN"));
}

void TestVidEntry::captionsDefault()
{
    RecordingCatalogue cat;
    short out = 0;
    TForm3 dlg(nullptr, &cat, 1, &out);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Entry VID"));
    QCOMPARE(dlg.Label1->text(), QStringLiteral("Entry VID"));
    QCOMPARE(dlg.Button1->text(), QStringLiteral("OK"));
    QCOMPARE(dlg.Button2->text(), QStringLiteral("Cancel"));
    QCOMPARE(vidOutOfRangeText, QStringLiteral("VID is out of range. The valid range is 1 to 4094."));
}

void TestVidEntry::okButton_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");     // 1 closed with OK, 0 still open
    QTest::addColumn<int>("out");        // the caller's variable afterwards
    QTest::addColumn<QString>("status");

    const QString outOfRange = QStringLiteral("VID is out of range. The valid range is 1 to 4094.");
    QTest::newRow("7") << "7" << 1 << 7 << QString();
    QTest::newRow("leading zeros 0001") << "0001" << 1 << 1 << QString();
    QTest::newRow("4094 highest") << "4094" << 1 << 4094 << QString();
    QTest::newRow("4095 refused, variable keeps it") << "4095" << 0 << 4095 << outOfRange;
    QTest::newRow("0 refused") << "0" << 0 << 0 << outOfRange;
    QTest::newRow("9999 refused") << "9999" << 0 << 9999 << outOfRange;
    QTest::newRow("empty is no integer") << "" << 0 << -5
                                          << QStringLiteral("'''' is not a valid integer value");
}

void TestVidEntry::okButton()
{
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(int, out);
    QFETCH(QString, status);

    short variable = -5;
    TForm3 dlg(nullptr, nullptr, 123, &variable);
    int finished = 0;
    connect(&dlg, &QDialog::finished, this, [&](int r) { finished = r; });
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.Edit1->setFocus();
    dlg.Edit1->selectAll();
    QTest::keyClick(dlg.Edit1, Qt::Key_Backspace);
    QTest::keyClicks(dlg.Edit1, typed);
    QTest::mouseClick(dlg.Button1, Qt::LeftButton);

    QCOMPARE(finished, result);
    QCOMPARE(dlg.isVisible(), result == 0);
    QCOMPARE(int(variable), out);
    QCOMPARE(dlg.Label2->text(), status);
    if (!status.isEmpty())
        QVERIFY(dlg.Label2->width() >= dlg.Label2->sizeHint().width()); // not cut off
    dlg.close();
}

void TestVidEntry::statusClearedWhenEditGetsFocus()
{
    short variable = 0;
    TForm3 dlg(nullptr, nullptr, 0, &variable);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QTest::mouseClick(dlg.Button1, Qt::LeftButton); // 0 is out of range
    QVERIFY(!dlg.Label2->text().isEmpty());
    QVERIFY(dlg.Button1->hasFocus() || !dlg.Edit1->hasFocus());
    QTest::mouseClick(dlg.Edit1, Qt::LeftButton);
    QTRY_VERIFY(dlg.Edit1->hasFocus());
    QCOMPARE(dlg.Label2->text(), QString());

    // The window activated again (a platform may do so when the message
    // grows the window) is no entering of the field: the message stays.
    dlg.Edit1->setText(QStringLiteral("0"));
    QTest::keyClick(dlg.Edit1, Qt::Key_Return);
    QVERIFY(!dlg.Label2->text().isEmpty());
    QFocusEvent reactivated(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(dlg.Edit1, &reactivated);
    QVERIFY(!dlg.Label2->text().isEmpty());
    dlg.close();
}

void TestVidEntry::editTakesFourDigitsOnly()
{
    short variable = 0;
    TForm3 dlg(nullptr, nullptr, 1, &variable);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    dlg.Edit1->clear();
    QTest::keyClicks(dlg.Edit1, QStringLiteral("1a-2 3x45"));
    QCOMPARE(dlg.Edit1->text(), QStringLiteral("1234"));
    QCOMPARE(dlg.Edit1->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    dlg.close();
}

void TestVidEntry::cancelWays_data()
{
    QTest::addColumn<int>("way");
    QTest::newRow("Cancel button") << 0;
    QTest::newRow("Escape") << 1;
    QTest::newRow("close box") << 2;
}

void TestVidEntry::cancelWays()
{
    QFETCH(int, way);
    short variable = 11;
    TForm3 dlg(nullptr, nullptr, 22, &variable);
    int result = -1;
    QTimer::singleShot(0, &dlg, [&] {
        if (way == 0)
            QTest::mouseClick(dlg.Button2, Qt::LeftButton);
        else if (way == 1)
            QTest::keyClick(dlg.Edit1, Qt::Key_Escape);
        else
            dlg.close();
    });
    result = dlg.exec();
    QCOMPARE(result, 2);
    QCOMPARE(variable, short(11));
}

void TestVidEntry::enterPressesOk()
{
    short variable = 0;
    TForm3 dlg(nullptr, nullptr, 300, &variable);
    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(dlg.Edit1, Qt::Key_Return); });
    QCOMPARE(dlg.exec(), 1);
    QCOMPARE(variable, short(300));
}

void TestVidEntry::fixedBorderAndIcon()
{
    short variable = 0;
    TForm3 dlg(nullptr, nullptr, 1, &variable);
    QCOMPARE(dlg.size(), QSize(306, 103));
    QCOMPARE(dlg.minimumSize(), dlg.maximumSize());
    QVERIFY(!(dlg.windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(!dlg.windowIcon().isNull());
    QCOMPARE(dlg.windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));
    // Tab order: the field, OK, Cancel.
    QCOMPARE(dlg.Edit1->nextInFocusChain(), static_cast<QWidget*>(dlg.Button1));
    QCOMPARE(dlg.Button1->nextInFocusChain(), static_cast<QWidget*>(dlg.Button2));
}

QTEST_MAIN(TestVidEntry)
#include "tst_vid_entry.moc"
