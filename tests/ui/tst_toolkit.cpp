// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/AcceleratorMarks.h"
#include "ui/CaptionRoom.h"
#include "ui/Density.h"
#include "ui/FocusLeave.h"
#include "core/IntegerText.h"
#include "ui/KeyFilter.h"
#include "ui/MessageBoxes.h"
#include "ui/RadioGroup.h"
#include "ui/StringGrid.h"
#include "ui/SpokenCaption.h"
#include "ui/SystemColours.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>

namespace {

// Digits and backspace only, as the dialogs' number fields want.
void digitsOnly(QObject*, QChar& key)
{
    if (!(key.isDigit() || key == QChar(8)))
        key = QChar();
}

// A dialog with two edits, a combo box, a grid and a cancel button that is
// also the default button, recording every leave in order.
struct TestDialog : QDialog
{
    QLineEdit* first = new QLineEdit(this);
    QLineEdit* second = new QLineEdit(this);
    QComboBox* combo = new QComboBox(this);
    StringGrid* grid = new StringGrid(this);
    QPushButton* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    FocusLeave* leave = new FocusLeave(this);
    QStringList left;
    QString gridTextSeenOnLeave;

    TestDialog()
    {
        auto* layout = new QVBoxLayout(this);
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second),
                           static_cast<QWidget*>(combo), static_cast<QWidget*>(grid),
                           static_cast<QWidget*>(cancel)})
            layout->addWidget(w);
        first->setObjectName(QStringLiteral("first"));
        second->setObjectName(QStringLiteral("second"));
        combo->setObjectName(QStringLiteral("combo"));
        combo->setEditable(true);
        combo->addItems({QStringLiteral("a"), QStringLiteral("b")});
        grid->setObjectName(QStringLiteral("grid"));
        grid->setColumnCount(2);
        grid->setRowCount(3);
        grid->setFixedRows(1);
        grid->setFixedCols(1);
        grid->setCellEditing(true);
        grid->setEditorKeyFilter(digitsOnly);
        installKeyFilter(first, digitsOnly);
        cancel->setDefault(true);
        connect(cancel, &QPushButton::clicked, this, [this] { done(2); });
        for (QWidget* w : {static_cast<QWidget*>(first), static_cast<QWidget*>(second),
                           static_cast<QWidget*>(combo), static_cast<QWidget*>(grid)})
            leave->onLeave(w, [this](QObject* sender) {
                left << sender->objectName();
                if (sender == grid)
                    gridTextSeenOnLeave = grid->cellText(1, 1);
            });
    }
};

} // namespace

class ToolkitTest : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().size() <= 1); }

    // One rule for accelerator marks wherever a caption is shown, spoken or
    // measured: "&&" is one '&', a lone '&' at the end shows nothing.
    void acceleratorMarks_data()
    {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<QString>("accelerator");
        QTest::newRow("marked letter") << QStringLiteral("&Ok") << QStringLiteral("Ok") << QStringLiteral("o");
        QTest::newRow("ampersand only") << QStringLiteral("Fish && Chips") << QStringLiteral("Fish & Chips")
                                        << QString();
        QTest::newRow("ampersand, then a mark") << QStringLiteral("&&&Save") << QStringLiteral("&Save")
                                                << QStringLiteral("s");
        QTest::newRow("mark after an ampersand") << QStringLiteral("R&&&D") << QStringLiteral("R&D")
                                                 << QStringLiteral("d");
        QTest::newRow("two marks: the first counts") << QStringLiteral("&a&b") << QStringLiteral("ab")
                                                     << QStringLiteral("a");
        QTest::newRow("lone mark at the end") << QStringLiteral("Save&") << QStringLiteral("Save") << QString();
        QTest::newRow("two ampersands alone") << QStringLiteral("&&") << QStringLiteral("&") << QString();
        QTest::newRow("empty") << QString() << QString() << QString();
        QTest::newRow("non-Latin letter") << QStringLiteral("\u0414&\u0410") << QStringLiteral("\u0414\u0410")
                                          << QStringLiteral("\u0430");
    }

    void acceleratorMarks()
    {
        QFETCH(QString, caption);
        QFETCH(QString, shown);
        QFETCH(QString, accelerator);
        QCOMPARE(withoutAcceleratorMarks(caption), shown);
        QCOMPARE(acceleratorOf(caption).isNull() ? QString() : QString(acceleratorOf(caption)), accelerator);
        QCOMPARE(spokenCaption(caption), shown.trimmed());
        // A group box's caption room is that of the text it shows.
        QGroupBox group(caption);
        const QFontMetrics fm = group.fontMetrics();
        const QSize room = captionRoom(&group);
        if (caption.isEmpty())
            QVERIFY(room.isEmpty());
        else
            QCOMPARE(room.width(), fm.horizontalAdvance(shown) + 2 * fm.averageCharWidth());
    }

    void integerReading_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("value");
        QTest::newRow("plain") << "42" << true << 42;
        QTest::newRow("leading blanks skipped") << "      3" << true << 3;
        QTest::newRow("leading zeros") << "0001" << true << 1;
        QTest::newRow("negative") << "-1" << true << -1;
        QTest::newRow("plus sign") << "+7" << true << 7;
        QTest::newRow("largest") << "2147483647" << true << 2147483647;
        QTest::newRow("smallest") << "-2147483648" << true << int(-2147483648LL);
        QTest::newRow("too large") << "2147483648" << false << 0;
        QTest::newRow("far too large") << "99999999999" << false << 0;
        QTest::newRow("empty") << "" << false << 0;
        QTest::newRow("blanks only") << "   " << false << 0;
        QTest::newRow("trailing blank") << "7 " << false << 0;
        QTest::newRow("hexadecimal") << "0x10" << false << 0;
        QTest::newRow("sign alone") << "-" << false << 0;
        QTest::newRow("letters") << "1a" << false << 0;
    }
    void integerReading()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, value);
        const std::optional<int> v = textToInteger(text);
        QCOMPARE(v.has_value(), ok);
        if (ok)
            QCOMPARE(*v, value);
    }

    void invalidIntegerMessageQuotesTheText()
    {
        QCOMPARE(invalidIntegerMessage(QString()), QStringLiteral("'''' is not a valid integer value"));
        // A text with format markers is shown as typed.
        QCOMPARE(invalidIntegerMessage(QStringLiteral("%1%s")),
                 QStringLiteral("''%1%s'' is not a valid integer value"));
    }

    void densityTruncatesTowardZero()
    {
        QCOMPARE(scaledSize(75, 1.25f), 93);
        QCOMPARE(scaledSize(65, 1.25f), 81);
        QCOMPARE(scaledSize(65, 1.5f), 97);
        QCOMPARE(scaledSize(80, 1.0f), 80);
    }

    void radioGroupReportsEveryChange()
    {
        RadioGroup group;
        group.setItems({QStringLiteral("&Disabled"), QStringLiteral("&Enabled")});
        group.setColumns(4);
        QCOMPARE(group.itemIndex(), -1);
        QSignalSpy spy(&group, &RadioGroup::itemIndexChanged);

        group.setItemIndex(1);
        group.setItemIndex(1); // no change, no signal
        group.setItemIndex(0);
        group.button(1)->click();
        QCOMPARE(spy.size(), 3);
        QCOMPARE(spy.at(0).at(0).toInt(), 1);
        QCOMPARE(spy.at(1).at(0).toInt(), 0);
        QCOMPARE(spy.at(2).at(0).toInt(), 1);

        group.setItemText(1, QStringLiteral("&On"));
        QCOMPARE(group.itemIndex(), 1);
        QCOMPARE(group.itemText(1), QStringLiteral("&On"));
        QCOMPARE(spy.size(), 3);

        group.setItemIndex(-1);
        QCOMPARE(group.itemIndex(), -1);
        QCOMPARE(spy.size(), 4);
        group.setItemIndex(7); // outside the list: still none
        QCOMPARE(group.itemIndex(), -1);
        group.setItemIndex(0);
        QCOMPARE(group.itemIndex(), 0);
    }

    void gridFixedCellsAreLabels()
    {
        StringGrid grid;
        grid.setColumnCount(2);
        grid.setRowCount(4);
        grid.setFixedRows(1);
        grid.setFixedCols(1);
        grid.setCellEditing(true);
        QCOMPARE(grid.rowCount(), 4);
        QVERIFY(grid.item(3, 1));
        QVERIFY(!(grid.item(0, 1)->flags() & Qt::ItemIsEditable));
        QVERIFY(!(grid.item(2, 0)->flags() & Qt::ItemIsEditable));
        QVERIFY(grid.item(2, 1)->flags() & Qt::ItemIsEditable);
        grid.setCellText(1, 2, QStringLiteral("      3"));
        QCOMPARE(grid.item(2, 1)->text(), QStringLiteral("      3"));
        grid.setRowCount(6); // new rows get cells and the fixed column's style
        QVERIFY(grid.item(5, 0) && !(grid.item(5, 0)->flags() & Qt::ItemIsEditable));

        grid.resize(300, 300);
        grid.setDefaultColumnWidth(80);
        grid.setDefaultRowHeight(24);
        grid.show();
        const auto cell = grid.cellAt(grid.cellRect(1, 2).center());
        QVERIFY(cell && cell->col == 1 && cell->row == 2);
        QVERIFY(!grid.cellAt(QPoint(250, 250))); // below the last row
    }

    void gridReportsMouseRelease()
    {
        StringGrid grid;
        grid.setColumnCount(8);
        grid.setRowCount(3);
        grid.resize(600, 200);
        grid.show();
        QVERIFY(QTest::qWaitForWindowExposed(&grid));
        QSignalSpy spy(&grid, &StringGrid::mouseReleased);
        const QPoint at = grid.cellRect(7, 2).center();
        QTest::mouseClick(grid.viewport(), Qt::RightButton, Qt::ShiftModifier, at);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(spy.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
        const auto cell = grid.cellAt(QPoint(spy.at(0).at(2).toInt(), spy.at(0).at(3).toInt()));
        QVERIFY(cell && cell->col == 7 && cell->row == 2);
    }

    void leaveFiresOnlyWhenFocusMovesToAnotherControl()
    {
        TestDialog dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.first->setFocus();
        QTRY_VERIFY(dlg.first->hasFocus());
        dlg.second->setFocus();
        QCOMPARE(dlg.left, QStringList{QStringLiteral("first")});

        // Into the combo box's own field and back to it is one control.
        dlg.combo->setFocus();
        dlg.combo->lineEdit()->setFocus();
        QCOMPARE(dlg.left, (QStringList{QStringLiteral("first"), QStringLiteral("second")}));

        // Another window taking the focus is not a leave.
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        QCOMPARE(dlg.left.size(), 2);
        other.hide();
        dlg.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.first->setFocus();
        QCOMPARE(dlg.left.last(), QStringLiteral("combo"));
    }

    void leavingAGridWhileEditingStoresTheTextFirst()
    {
        TestDialog dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.grid->setFocus();
        dlg.left.clear();
        dlg.grid->setCurrentCell(2, 1);
        dlg.grid->setCurrentCell(1, 1);
        dlg.grid->setCellText(1, 1, QStringLiteral("      5"));
        QTest::keyClicks(dlg.grid, QStringLiteral("7"));
        // Further typing goes to the in-place editor, which has the focus.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("x3"));
        QVERIFY(dlg.grid->isEditing());
        // Moving between the grid's own cells is not a leave.
        QVERIFY(dlg.left.isEmpty());
        dlg.first->setFocus();
        QCOMPARE(dlg.left, QStringList{QStringLiteral("grid")});
        QCOMPARE(dlg.gridTextSeenOnLeave, QStringLiteral("73"));
    }

    void keyFilterDropsCharactersButNotDialogKeys()
    {
        TestDialog dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.first->setFocus();
        QTest::keyClicks(dlg.first, QStringLiteral("1a -2"));
        QCOMPARE(dlg.first->text(), QStringLiteral("12"));
        QTest::keyClick(dlg.first, Qt::Key_Backspace);
        QCOMPARE(dlg.first->text(), QStringLiteral("1"));
        // Enter is no character for the field but still reaches the dialog.
        QTest::keyClick(dlg.first, Qt::Key_Return);
        QCOMPARE(dlg.result(), 2);
        QVERIFY(!dlg.isVisible());
    }

    void enterInAGridEditorReachesTheDialog()
    {
        TestDialog dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.grid->setFocus();
        dlg.grid->setCurrentCell(2, 1);
        QTest::keyClicks(dlg.grid, QStringLiteral("4"));
        QVERIFY(dlg.grid->isEditing());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(dlg.grid->cellText(1, 2), QStringLiteral("4"));
        QCOMPARE(dlg.result(), 2);
        QVERIFY(!dlg.isVisible());
    }

    void droppedCharacterDoesNotStartGridEditing()
    {
        TestDialog dlg;
        dlg.show();
        QVERIFY(QTest::qWaitForWindowActive(&dlg));
        dlg.grid->setFocus();
        dlg.grid->setCurrentCell(1, 1);
        dlg.grid->setCellText(1, 1, QStringLiteral("      2"));
        QTest::keyClicks(dlg.grid, QStringLiteral("a"));
        QVERIFY(!dlg.grid->isEditing());
        QCOMPARE(dlg.grid->cellText(1, 1), QStringLiteral("      2"));
    }

    void messageBoxes_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("answer");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("buttons");
        const int errorClose = 0, errorOkCancel = 1, question = 2;
        QTest::newRow("error, close") << errorClose << int(QMessageBox::Close)
                                      << int(QMessageBox::Critical) << int(QMessageBox::Close);
        QTest::newRow("error, ok") << errorOkCancel << int(QMessageBox::Ok) << int(QMessageBox::Critical)
                                   << int(QMessageBox::Ok | QMessageBox::Cancel);
        QTest::newRow("error, cancel") << errorOkCancel << int(QMessageBox::Cancel)
                                       << int(QMessageBox::Critical)
                                       << int(QMessageBox::Ok | QMessageBox::Cancel);
        for (auto b : {QMessageBox::Yes, QMessageBox::No, QMessageBox::Cancel})
            QTest::newRow(qPrintable(QStringLiteral("question, %1").arg(int(b))))
                << question << int(b) << int(QMessageBox::Question)
                << int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    }
    void messageBoxes()
    {
        QFETCH(int, kind);
        QFETCH(int, answer);
        QFETCH(int, icon);
        QFETCH(int, buttons);
        const QString text = QStringLiteral("line one\n\rline two");
        QString seenText;
        int seenIcon = -1;
        int seenButtons = -1;
        QTimer::singleShot(0, this, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            QVERIFY(box);
            seenText = box->text();
            seenIcon = box->icon();
            seenButtons = int(box->standardButtons());
            box->button(QMessageBox::StandardButton(answer))->click();
        });
        QMessageBox::StandardButton result = QMessageBox::NoButton;
        if (kind == 0)
            result = showErrorClose(nullptr, text);
        else if (kind == 1)
            result = showErrorOkCancel(nullptr, text);
        else
            result = askYesNoCancel(nullptr, text);
        QCOMPARE(int(result), answer);
        QCOMPARE(seenText, text);
        QCOMPARE(seenIcon, icon);
        QCOMPARE(seenButtons, buttons);
    }

    void escapeAnswersQuestionWithCancel()
    {
        QTimer::singleShot(0, this, [] {
            QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
        });
        QCOMPARE(askYesNoCancel(nullptr, QStringLiteral("?")), QMessageBox::Cancel);
    }

    void fieldColoursStandApartAndKeepFieldsEditable()
    {
        QVERIFY(systemColour(SystemColour::Window) != systemColour(SystemColour::InactiveCaption));
        QComboBox combo;
        combo.setEditable(true);
        setFieldColour(&combo, systemColour(SystemColour::InactiveCaption));
        QCOMPARE(fieldColour(&combo), systemColour(SystemColour::InactiveCaption));
        QCOMPARE(combo.lineEdit()->palette().color(QPalette::Base),
                 systemColour(SystemColour::InactiveCaption));
        QVERIFY(combo.isEnabled());
    }
};

QTEST_MAIN(ToolkitTest)
#include "tst_toolkit.moc"
