// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The QoS dialog driven through real events: loading, every leave handler's
// write rules, the key filter, reset, closing and captions.
#include "QosDialogDriver.h"

#include "core/IniFile.h"
#include "plugin/InstancePointers.h"

#include <QClipboard>
#include <QComboBox>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <memory>

Q_DECLARE_METATYPE(QosBytes)

namespace {

// A catalogue that records every lookup.
class RecordingIni : public TIniFile
{
public:
    explicit RecordingIni(const QString& fileName) : TIniFile(fileName) {}
    QString ReadString(const QString& section, const QString& key, const QString& def) const override
    {
        lookups << section + QLatin1Char('/') + key;
        return TIniFile::ReadString(section, key, def);
    }
    mutable QStringList lookups;
};

const QString kAllChangesDefault =
    QStringLiteral("All changes you have made will be lost.\n\rDo you want to proceed?");
const QString kWeightsError =
    QStringLiteral("Either zero weight have been typed,\n\ror sum of weights is bigger than 128!");

QStringList valueColumn(const StringGrid* grid)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts << grid->cellText(1, row);
    return texts;
}

} // namespace

class TestQosForm : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loadsDefaultImage();
    void loadsOddArrays_data();
    void loadsOddArrays();
    void blankRuleAtConstruction_data();
    void blankRuleAtConstruction();

    void portPriorities_data();
    void portPriorities();
    void weights_data();
    void weights();
    void keyFilterOnEdits_data();
    void keyFilterOnEdits();
    void keyFilterOnGridCells();
    void remapGrid();
    void remapGridLeftWhileEditing();
    void vlanQueueGrid();
    void dscpGridHalves();
    void pastedTextsInGrids();
    void priorityResolution_data();
    void priorityResolution();
    void switchesWriteOnLeave_data();
    void switchesWriteOnLeave();

    void resetAnswered_data();
    void resetAnswered();

    void closing_data();
    void closing();
    void hostDeletesDialogFirst();

    void captionsWithoutCatalogueFile();
    void captionsFromCatalogueLackingEveryKey();
    void captionsFromTranslatedCatalogue();
    void tableHeadingsReadAtEveryLoad();

private:
    TQos_form* makeDialog(const QosBytes& bytes, TIniFile* ini = nullptr, bool isLocal = true);

    QosBytes m_cfg{};
    int m_size = 0;
    TIniFile m_noFile;
    QPointer<TQos_form> m_dlg;
    QPointer<ModalWatcher> m_answerer;
};

TQos_form* TestQosForm::makeDialog(const QosBytes& bytes, TIniFile* ini, bool isLocal)
{
    m_cfg = bytes;
    m_size = 0;
    m_dlg = new TQos_form(nullptr, isLocal, ini ? ini : &m_noFile, m_cfg.data(), &m_size);
    m_dlg->show();
    if (!QTest::qWaitForWindowActive(m_dlg))
        qWarning("the dialog did not become active");
    return m_dlg;
}

void TestQosForm::init()
{
    Qos_form1 = nullptr;
}

void TestQosForm::cleanup()
{
    delete m_answerer;
    delete m_dlg;
    QVERIFY2(noWindowLeft(), "a window outlived its test");
}

void TestQosForm::loadsDefaultImage()
{
    TQos_form* dlg = makeDialog(filledBytes(0xFF));
    QCOMPARE(m_size, 40);
    QCOMPARE(m_cfg, QosConfigArray::defaultImage());

    for (QLineEdit* e : {dlg->Edit5, dlg->Edit6, dlg->Edit7})
        QCOMPARE(e->text(), QStringLiteral("0"));
    for (QComboBox* c : {dlg->ComboBox1, dlg->ComboBox2, dlg->ComboBox3}) {
        QCOMPARE(c->count(), kResolutionModeCount);
        for (int i = 0; i < kResolutionModeCount; ++i)
            QCOMPARE(c->itemText(i), QString::fromUtf8(kResolutionModeNames[i].data(),
                                                       qsizetype(kResolutionModeNames[i].size())));
        QCOMPARE(c->currentIndex(), 3);
        QCOMPARE(c->currentText(), QStringLiteral("VLAN & DSCP"));
    }
    const QStringList remap{QStringLiteral("      0"), QStringLiteral("      1"), QStringLiteral("      2"),
                            QStringLiteral("      3"), QStringLiteral("      4"), QStringLiteral("      5"),
                            QStringLiteral("      6"), QStringLiteral("      7")};
    for (StringGrid* g : {dlg->StringGrid3, dlg->StringGrid4, dlg->StringGrid5}) {
        QCOMPARE(g->rowCount(), 8);
        QCOMPARE(valueColumn(g), remap);
        QCOMPARE(g->cellText(0, 0), QStringLiteral(" Tag Priority 0"));
        QCOMPARE(g->cellText(0, 7), QStringLiteral(" Tag Priority 7"));
    }
    QStringList vlan{QStringLiteral("Priority Queue")};
    for (int q : {0, 0, 1, 1, 2, 2, 3, 3})
        vlan << QStringLiteral("      %1").arg(q);
    QCOMPARE(valueColumn(dlg->StringGrid1), vlan);
    QCOMPARE(dlg->StringGrid1->cellText(0, 0), QStringLiteral("802.1Q Priority"));
    QCOMPARE(dlg->StringGrid1->cellText(0, 1), QStringLiteral("    0"));
    QCOMPARE(dlg->StringGrid1->cellText(0, 8), QStringLiteral("    7"));

    QCOMPARE(dlg->StringGrid2->rowCount(), 65);
    QCOMPARE(dlg->StringGrid2->cellText(0, 0), QStringLiteral("DSCP Priority"));
    QCOMPARE(dlg->StringGrid2->cellText(1, 0), QStringLiteral("Priority Queue"));
    QCOMPARE(dlg->StringGrid2->cellText(0, 64), QStringLiteral("    63"));
    for (int dscp = 0; dscp < 64; ++dscp)
        QCOMPARE(dlg->StringGrid2->cellText(1, dscp + 1), QStringLiteral("      %1").arg(dscp / 16));

    QCOMPARE(dlg->Edit1->text(), QStringLiteral("1"));
    QCOMPARE(dlg->Edit2->text(), QStringLiteral("2"));
    QCOMPARE(dlg->Edit3->text(), QStringLiteral("4"));
    QCOMPARE(dlg->Edit4->text(), QStringLiteral("8"));
    QCOMPARE(dlg->RadioGroup1->itemIndex(), 0);
    QCOMPARE(dlg->RadioGroup2->itemIndex(), 0);
    QCOMPARE(dlg->RadioGroup3->itemIndex(), 0);
    QCOMPARE(dlg->RadioGroup1->itemText(0), QStringLiteral("&Disabled"));
    QCOMPARE(dlg->RadioGroup2->itemText(0), QStringLiteral("&Weighted round robin"));

    // The window as designed: first page open, focus on the cancel button.
    QCOMPARE(dlg->PageControl1->currentWidget(), dlg->TabSheet1);
    QCOMPARE(QApplication::focusWidget(), dlg->Button3);
    QVERIFY(dlg->Button3->isDefault());
    QCOMPARE(dlg->size(), QSize(564, 376).expandedTo(dlg->minimumSize()));
    QVERIFY(!dlg->windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(!dlg->windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!dlg->windowIcon().pixmap(32, 32).isNull());
    QCOMPARE(dlg->Edit1->maxLength(), 3);
    QCOMPARE(dlg->ComboBox1->insertPolicy(), QComboBox::NoInsert);
    QVERIFY(dlg->ComboBox1->isEditable());
    QCOMPARE(dlg->findChild<QWidget*>(QStringLiteral("StringGrid4")), dlg->StringGrid4);
}

void TestQosForm::loadsOddArrays_data()
{
    QTest::addColumn<int>("offset");
    QTest::addColumn<int>("value");

    QTest::newRow("weight of 200") << 34 << 200;
    QTest::newRow("resolution 6 for LINE 3") << 2 << (6 << 3);
    QTest::newRow("byte 0 = 0xFF") << 0 << 0xFF;
}

void TestQosForm::loadsOddArrays()
{
    QFETCH(int, offset);
    QFETCH(int, value);

    QosBytes b = QosConfigArray::defaultImage();
    b[offset] = static_cast<unsigned char>(value);
    TQos_form* dlg = makeDialog(b);
    QCOMPARE(m_cfg, b);

    switch (offset) {
    case 34:
        QCOMPARE(dlg->Edit1->text(), QStringLiteral("200"));
        break;
    case 2:
        QCOMPARE(dlg->ComboBox1->currentIndex(), 0);
        QCOMPARE(dlg->ComboBox2->currentIndex(), -1);
        QCOMPARE(dlg->ComboBox2->currentText(), QString());
        break;
    case 0:
        QCOMPARE(dlg->Edit5->text(), QStringLiteral("7"));
        QCOMPARE(dlg->Edit6->text(), QStringLiteral("7"));
        QCOMPARE(dlg->Edit7->text(), QStringLiteral("0"));
        break;
    }
}

void TestQosForm::blankRuleAtConstruction_data()
{
    QTest::addColumn<int>("blankBytes");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("one short of the threshold") << kQosBlankThreshold - 1 << false;
    QTest::newRow("threshold") << kQosBlankThreshold << true;
}

void TestQosForm::blankRuleAtConstruction()
{
    QFETCH(int, blankBytes);
    QFETCH(bool, replaced);

    QosBytes b = filledBytes(0x11);
    std::fill(b.begin(), b.begin() + blankBytes, 0xFF);
    TQos_form* dlg = makeDialog(b);
    QCOMPARE(m_cfg, replaced ? QosConfigArray::defaultImage() : b);
    // Cancelling restores nothing.
    QTest::mouseClick(dlg->Button3, Qt::LeftButton);
    QCOMPARE(dlg->result(), 2);
    QCOMPARE(m_cfg, replaced ? QosConfigArray::defaultImage() : b);
}

void TestQosForm::portPriorities_data()
{
    QTest::addColumn<int>("byte0");
    QTest::addColumn<int>("byte1");
    QTest::addColumn<int>("edit"); // 5, 6 or 7
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("expected0");
    QTest::addColumn<int>("expected1");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("LINE 3 = 5 over 0xC2 / 0xFF")
        << 0xC2 << 0xFF << 6 << QStringLiteral("5") << 0x2A << 0x07
        << QStringList{QStringLiteral("2"), QStringLiteral("5"), QStringLiteral("7")};
    QTest::newRow("8 for LINE 3 reverts, LINE 2 keeps 6")
        << 0x1E << 0x2B << 6 << QStringLiteral("8") << 0x1E << 0x03
        << QStringList{QStringLiteral("6"), QStringLiteral("3"), QStringLiteral("3")};
    QTest::newRow("empty LINE 4 keeps it, clears bits 3-7 of byte 1")
        << 0x00 << 0xFD << 7 << QString() << 0x00 << 0x05
        << QStringList{QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("5")};
    QTest::newRow("leading zeros read as a number")
        << 0x00 << 0x00 << 5 << QStringLiteral("007") << 0x07 << 0x00
        << QStringList{QStringLiteral("7"), QStringLiteral("0"), QStringLiteral("0")};
    QTest::newRow("a huge number reverts")
        << 0x09 << 0x01 << 5 << QStringLiteral("99999999999") << 0x09 << 0x01
        << QStringList{QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")};
}

void TestQosForm::portPriorities()
{
    QFETCH(int, byte0);
    QFETCH(int, byte1);
    QFETCH(int, edit);
    QFETCH(QString, typed);
    QFETCH(int, expected0);
    QFETCH(int, expected1);
    QFETCH(QStringList, shown);

    QosBytes b = QosConfigArray::defaultImage();
    b[0] = static_cast<unsigned char>(byte0);
    b[1] = static_cast<unsigned char>(byte1);
    TQos_form* dlg = makeDialog(b);
    dlg->PageControl1->setCurrentWidget(dlg->TabSheet2);
    QLineEdit* target = edit == 5 ? dlg->Edit5 : edit == 6 ? dlg->Edit6 : dlg->Edit7;
    typeInto(target, typed);
    QCOMPARE(m_cfg, b); // nothing written while typing
    leaveTo(dlg->ComboBox2);

    QosBytes expected = b;
    expected[0] = static_cast<unsigned char>(expected0);
    expected[1] = static_cast<unsigned char>(expected1);
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE((QStringList{dlg->Edit5->text(), dlg->Edit6->text(), dlg->Edit7->text()}), shown);
}

void TestQosForm::weights_data()
{
    QTest::addColumn<QStringList>("typed"); // Edit1..Edit4; a null entry is left as loaded
    QTest::addColumn<bool>("stored");
    QTest::addColumn<bool>("errorBox");

    QTest::newRow("125,1,1,1 stored") << QStringList{QStringLiteral("125"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")} << true << false;
    QTest::newRow("32 each, sum 128, stored") << QStringList{QStringLiteral("32"), QStringLiteral("32"), QStringLiteral("32"), QStringLiteral("32")} << true << false;
    QTest::newRow("126,1,1,1 error") << QStringList{QStringLiteral("126"), QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1")} << false << true;
    QTest::newRow("0 in Edit3 error") << QStringList{QString(), QString(), QStringLiteral("0"), QString()} << false << true;
    QTest::newRow("empty Edit3 silent") << QStringList{QString(), QString(), QStringLiteral(""), QString()} << false << false;
}

void TestQosForm::weights()
{
    QFETCH(QStringList, typed);
    QFETCH(bool, stored);
    QFETCH(bool, errorBox);

    QosBytes b = QosConfigArray::defaultImage();
    b[38] = 0x05;
    TQos_form* dlg = makeDialog(b);
    const std::array<QLineEdit*, 4> edits{dlg->Edit1, dlg->Edit2, dlg->Edit3, dlg->Edit4};
    // The earlier edits hold their new texts already (as if typed without
    // the focus passing between them); the last one is typed and left.
    int last = 0;
    for (int q = 0; q < 4; ++q)
        if (!typed[q].isNull())
            last = q;
    for (int q = 0; q < last; ++q)
        if (!typed[q].isNull())
            edits[q]->setText(typed[q]);
    typeInto(edits[last], typed[last]);

    SeenBox seen;
    m_answerer = answerNextBox(&seen, QMessageBox::Cancel);
    leaveTo(dlg->Button2);

    QosBytes expected = b;
    if (stored)
        for (int q = 0; q < 4; ++q)
            expected[34 + q] = static_cast<unsigned char>(typed[q].toInt());
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE(seen.shown, errorBox);
    if (errorBox) {
        QCOMPARE(seen.text, kWeightsError);
        QCOMPARE(seen.icon, QMessageBox::Critical);
        QCOMPARE(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    }
    for (int q = 0; q < 4; ++q)
        QCOMPARE(edits[q]->text(), QString::number(expected[34 + q]));
}

void TestQosForm::keyFilterOnEdits_data()
{
    QTest::addColumn<QString>("edit");
    for (const char* name : {"Edit1", "Edit2", "Edit3", "Edit4", "Edit5", "Edit6", "Edit7"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestQosForm::keyFilterOnEdits()
{
    QFETCH(QString, edit);
    TQos_form* dlg = makeDialog(QosConfigArray::defaultImage());
    auto* e = dlg->findChild<QLineEdit*>(edit);
    QVERIFY(e);
    const bool portEdit = edit >= QLatin1String("Edit5");
    dlg->PageControl1->setCurrentWidget(portEdit ? dlg->TabSheet2 : dlg->TabSheet1);
    typeInto(e, QStringLiteral("1a- x+2"));
    QCOMPARE(e->text(), QStringLiteral("12"));
    QTest::keyClick(e, Qt::Key_Backspace);
    QCOMPARE(e->text(), QStringLiteral("1"));
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier); // clipboard keys are dropped too
    QTest::keyClick(e, Qt::Key_Tab, Qt::NoModifier);    // Tab still moves on
    QVERIFY(!e->hasFocus());

    // Enter reaches the dialog and cancels, as Escape does.
    e->setFocus();
    QSignalSpy finished(dlg, &QDialog::finished);
    QTest::keyClick(e, Qt::Key_Return);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.at(0).at(0).toInt(), 2);
}

void TestQosForm::keyFilterOnGridCells()
{
    TQos_form* dlg = makeDialog(QosConfigArray::defaultImage());
    for (StringGrid* grid : {dlg->StringGrid1, dlg->StringGrid2, dlg->StringGrid3, dlg->StringGrid4, dlg->StringGrid5}) {
        dlg->PageControl1->setCurrentWidget(grid == dlg->StringGrid1 || grid == dlg->StringGrid2 ? dlg->TabSheet1 : dlg->TabSheet2);
        const int row = grid->fixedRows();
        // A dropped key does not even open the editor.
        grid->setFocus();
        grid->setCurrentCell(row, 1);
        QTest::keyClicks(grid, QStringLiteral("a"));
        QVERIFY(!grid->isEditing());

        typeIntoCell(grid, row, QStringLiteral("2x- 3"));
        QVERIFY(grid->isEditing());
        auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
        QVERIFY(editor);
        QCOMPARE(editor->text(), QStringLiteral("23"));
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(editor->text(), QStringLiteral("2"));
        leaveTo(dlg->Button2);
        QCOMPARE(grid->cellText(1, row), QStringLiteral("      2"));
    }
}

void TestQosForm::remapGrid()
{
    QosBytes b = QosConfigArray::defaultImage();
    b[8] = 0x98; // LINE 3: entry 0 = 0 with bit 3 set, entry 1 = 1 with bit 7 set
    TQos_form* dlg = makeDialog(b);
    dlg->PageControl1->setCurrentWidget(dlg->TabSheet2);
    typeIntoCell(dlg->StringGrid4, 0, QStringLiteral("9"));
    typeIntoCell(dlg->StringGrid4, 1, QStringLiteral("6"));
    typeIntoCell(dlg->StringGrid4, 7, QStringLiteral("0"));
    leaveTo(dlg->Edit6);

    QosBytes expected = b;
    expected[8] = 0xE8; // entry 0 kept, entry 1 = 6, both gap bits kept
    expected[11] = 0x06; // entry 7 = 0
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE(dlg->StringGrid4->cellText(1, 0), QStringLiteral("      0"));
    QCOMPARE(dlg->StringGrid4->cellText(1, 1), QStringLiteral("      6"));
    QCOMPARE(dlg->StringGrid4->cellText(1, 7), QStringLiteral("      0"));
}

void TestQosForm::remapGridLeftWhileEditing()
{
    TQos_form* dlg = makeDialog(QosConfigArray::defaultImage());
    dlg->PageControl1->setCurrentWidget(dlg->TabSheet2);
    typeIntoCell(dlg->StringGrid5, 2, QStringLiteral("5"));
    QVERIFY(dlg->StringGrid5->isEditing());
    // Moving between the grid's own cells is not a leave.
    dlg->StringGrid5->setCurrentCell(3, 1);
    QCOMPARE(m_cfg, QosConfigArray::defaultImage());
    typeIntoCell(dlg->StringGrid5, 4, QStringLiteral("1"));
    leaveTo(dlg->ComboBox3);
    QCOMPARE(int(m_cfg[13]), 0x35); // entry 2 = 5, entry 3 = 3
    QCOMPARE(int(m_cfg[14]), 0x51); // entry 4 = 1, entry 5 = 5
}

void TestQosForm::vlanQueueGrid()
{
    TQos_form* dlg = makeDialog(QosConfigArray::defaultImage());
    typeIntoCell(dlg->StringGrid1, 1, QStringLiteral("4"));
    typeIntoCell(dlg->StringGrid1, 2, QStringLiteral("3"));
    leaveTo(dlg->StringGrid2);
    QosBytes expected = QosConfigArray::defaultImage();
    expected[16] = 0x5C; // priority 0 keeps 0, priority 1 = 3
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE(dlg->StringGrid1->cellText(1, 1), QStringLiteral("      0"));
    QCOMPARE(dlg->StringGrid1->cellText(1, 2), QStringLiteral("      3"));
    QCOMPARE(dlg->StringGrid1->cellText(1, 0), QStringLiteral("Priority Queue"));
}

void TestQosForm::dscpGridHalves()
{
    TQos_form* dlg = makeDialog(filledBytes(0x00));
    typeIntoCell(dlg->StringGrid2, 32, QStringLiteral("3"));
    typeIntoCell(dlg->StringGrid2, 33, QStringLiteral("2"));
    typeIntoCell(dlg->StringGrid2, 64, QStringLiteral("1"));
    leaveTo(dlg->Edit1);
    QosBytes expected = filledBytes(0x00);
    expected[25] = 0b1100'0000; // DSCP 31 = 3
    expected[26] = 0b0000'0010; // DSCP 32 = 2
    expected[33] = 0b0100'0000; // DSCP 63 = 1
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE(dlg->StringGrid2->cellText(1, 33), QStringLiteral("      2"));
}

// Negative or otherwise unusual texts arrive only by pasting; they are
// rejected like any bad entry and change no other field.
void TestQosForm::pastedTextsInGrids()
{
    QosBytes b = QosConfigArray::defaultImage();
    TQos_form* dlg = makeDialog(b);
    dlg->StringGrid1->item(1, 1)->setText(QStringLiteral("-1"));
    dlg->StringGrid1->item(2, 1)->setText(QStringLiteral("-2147483648"));
    dlg->StringGrid1->item(3, 1)->setText(QStringLiteral("0x3"));
    dlg->StringGrid1->item(4, 1)->setText(QStringLiteral("+2"));
    dlg->StringGrid1->setFocus();
    leaveTo(dlg->Edit2);
    QosBytes expected = b;
    expected[16] = 0x90; // priority 3 = 2 ("+2" is a plain number), the rest kept
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE(dlg->StringGrid1->cellText(1, 1), QStringLiteral("      0"));

    // A pasted negative weight: the set is dropped silently.
    QGuiApplication::clipboard()->setText(QStringLiteral("-7"));
    dlg->Edit2->setFocus();
    dlg->Edit2->selectAll();
    dlg->Edit2->paste();
    if (dlg->Edit2->text() != QStringLiteral("-7"))
        dlg->Edit2->setText(QStringLiteral("-7")); // no clipboard on this platform
    dlg->Edit1->setText(QStringLiteral("100"));
    SeenBox seen;
    m_answerer = answerNextBox(&seen, QMessageBox::Ok);
    leaveTo(dlg->Button2);
    QVERIFY(!seen.shown);
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE(dlg->Edit1->text(), QStringLiteral("1"));
    QCOMPARE(dlg->Edit2->text(), QStringLiteral("2"));

    // A pasted negative port priority.
    dlg->PageControl1->setCurrentWidget(dlg->TabSheet2);
    dlg->Edit5->setFocus();
    dlg->Edit5->setText(QStringLiteral("-1"));
    dlg->Edit6->setText(QStringLiteral("4"));
    leaveTo(dlg->ComboBox1);
    expected[0] = 0x20; // LINE 2 keeps 0, LINE 3 = 4
    QCOMPARE(hexText(m_cfg), hexText(expected));
    QCOMPARE(dlg->Edit5->text(), QStringLiteral("0"));
}

void TestQosForm::priorityResolution_data()
{
    QTest::addColumn<int>("byte2");
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed"); // null: leave without typing
    QTest::addColumn<int>("expected2");

    // Stored: LINE 2 = 3, LINE 3 = 3, reserved bits 6-7 set.
    QTest::newRow("LINE 2 to DSCP & VLAN") << 0xDB << QStringLiteral("ComboBox1") << QStringLiteral("DSCP & VLAN") << 0xDC;
    QTest::newRow("LINE 3 to Port's") << 0xDB << QStringLiteral("ComboBox2") << QStringLiteral("Port's") << 0xC3;
    QTest::newRow("letter case does not matter") << 0xDB << QStringLiteral("ComboBox2") << QStringLiteral("dscp") << 0xD3;
    QTest::newRow("a text naming no mode keeps the field") << 0xDB << QStringLiteral("ComboBox1") << QStringLiteral("VLAN") << 0xDB;
    QTest::newRow("stored 6 left unchanged keeps it") << 0xF3 << QStringLiteral("ComboBox2") << QString() << 0xF3;
    QTest::newRow("stored 7 left as loaded keeps it") << 0xC7 << QStringLiteral("ComboBox1") << QString() << 0xC7;
}

void TestQosForm::priorityResolution()
{
    QFETCH(int, byte2);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(int, expected2);

    QosBytes b = QosConfigArray::defaultImage();
    b[2] = static_cast<unsigned char>(byte2);
    b[3] = 0xFB; // LINE 4 = 3, reserved bits set
    TQos_form* dlg = makeDialog(b);
    dlg->PageControl1->setCurrentWidget(dlg->TabSheet2);
    auto* combo = dlg->findChild<QComboBox*>(box);
    combo->setFocus();
    if (!typed.isNull()) {
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), typed);
    }
    if (QWidget* popup = QApplication::activePopupWidget())
        popup->close();
    QCOMPARE(m_cfg, b);
    leaveTo(dlg->Edit7);
    QosBytes expected = b;
    expected[2] = static_cast<unsigned char>(expected2);
    QCOMPARE(hexText(m_cfg), hexText(expected));
}

void TestQosForm::switchesWriteOnLeave_data()
{
    QTest::addColumn<QString>("group");
    QTest::addColumn<int>("item");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");

    QTest::newRow("Enabled") << QStringLiteral("RadioGroup1") << 1 << 0xF8 << 0x04;
    QTest::newRow("Disabled") << QStringLiteral("RadioGroup1") << 0 << 0xFF << 0x03;
    QTest::newRow("channel 1 Strict") << QStringLiteral("RadioGroup2") << 1 << 0x86 << 0x07;
    QTest::newRow("channel 2 round robin") << QStringLiteral("RadioGroup3") << 0 << 0x0B << 0x01;
}

void TestQosForm::switchesWriteOnLeave()
{
    QFETCH(QString, group);
    QFETCH(int, item);
    QFETCH(int, before);
    QFETCH(int, after);

    QosBytes b = QosConfigArray::defaultImage();
    b[38] = static_cast<unsigned char>(before);
    TQos_form* dlg = makeDialog(b);
    auto* radio = dlg->findChild<RadioGroup*>(group);
    if (radio != dlg->RadioGroup1)
        dlg->PageControl1->setCurrentWidget(dlg->TabSheet3);
    // Click on the round indicator at the left of each item.
    for (QRadioButton* b : {radio->button(1 - item), radio->button(item)})
        QTest::mouseClick(b, Qt::LeftButton, Qt::NoModifier, QPoint(6, b->height() / 2));
    QCOMPARE(radio->itemIndex(), item);
    QCOMPARE(m_cfg, b); // choosing writes nothing

    leaveTo(dlg->Button1);
    QosBytes expected = b;
    expected[38] = static_cast<unsigned char>(after);
    QCOMPARE(hexText(m_cfg), hexText(expected));
}

void TestQosForm::resetAnswered_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("Yes") << int(QMessageBox::Yes);
    QTest::newRow("No") << int(QMessageBox::No);
    QTest::newRow("Cancel") << int(QMessageBox::Cancel);
}

void TestQosForm::resetAnswered()
{
    QFETCH(int, answer);

    QosBytes b = QosConfigArray::defaultImage();
    b[0] = 0x3F;
    b[17] = 0x00;
    b[35] = 0x05;
    b[38] = 0x07;
    b[39] = 0x99;
    TQos_form* dlg = makeDialog(b);

    SeenBox seen;
    m_answerer = answerNextBox(&seen, QMessageBox::StandardButton(answer));
    QTest::mouseClick(dlg->Button2, Qt::LeftButton);
    QVERIFY(seen.shown);
    QCOMPARE(seen.text, kAllChangesDefault);
    QCOMPARE(seen.icon, QMessageBox::Question);
    QCOMPARE(seen.buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QVERIFY(dlg->isVisible());

    const bool yes = answer == QMessageBox::Yes;
    QCOMPARE(m_cfg, yes ? QosConfigArray::defaultImage() : b);
    QCOMPARE(dlg->Edit5->text(), yes ? QStringLiteral("0") : QStringLiteral("7"));
    QCOMPARE(dlg->Edit2->text(), yes ? QStringLiteral("2") : QStringLiteral("5"));
    QCOMPARE(dlg->StringGrid1->cellText(1, 8), yes ? QStringLiteral("      3") : QStringLiteral("      0"));
    QCOMPARE(dlg->RadioGroup1->itemIndex(), yes ? 0 : 1);
}

void TestQosForm::closing_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");

    QTest::newRow("Ok") << QStringLiteral("ok") << 1;
    QTest::newRow("Cancel") << QStringLiteral("cancel") << 2;
    QTest::newRow("Escape") << QStringLiteral("escape") << 2;
    QTest::newRow("Enter on a grid") << QStringLiteral("enter grid") << 2;
    QTest::newRow("Enter in a grid's cell editor") << QStringLiteral("enter editor") << 2;
    QTest::newRow("close box") << QStringLiteral("close") << 2;
    QTest::newRow("Enter in a resolution box") << QStringLiteral("enter combo") << 2;
    QTest::newRow("Escape in a resolution box") << QStringLiteral("escape combo") << 2;
}

void TestQosForm::closing()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    m_cfg = QosConfigArray::defaultImage();
    auto* dlg = new TQos_form(nullptr, true, &m_noFile, m_cfg.data(), &m_size);
    m_dlg = dlg;
    Qos_form1 = dlg;
    QSignalSpy finished(dlg, &QDialog::finished);

    QTimer::singleShot(0, dlg, [&] {
        QVERIFY(QTest::qWaitForWindowActive(dlg));
        // A change made and left before closing stays whatever the result.
        // Clicking a button or a grid leaves the edit; Escape and the close
        // box move no focus, so there the edit is left first.
        dlg->PageControl1->setCurrentWidget(dlg->TabSheet2);
        typeInto(dlg->Edit6, QStringLiteral("4"));
        if (how == QLatin1String("escape") || how == QLatin1String("close"))
            leaveTo(dlg->Edit7);
        if (how == QLatin1String("ok")) {
            QTest::mouseClick(dlg->Button1, Qt::LeftButton);
        } else if (how == QLatin1String("cancel")) {
            QTest::mouseClick(dlg->Button3, Qt::LeftButton);
        } else if (how == QLatin1String("escape")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        } else if (how == QLatin1String("enter grid")) {
            dlg->StringGrid3->setFocus();
            QTest::keyClick(dlg->StringGrid3, Qt::Key_Return);
        } else if (how.endsWith(QLatin1String("combo"))) {
            dlg->ComboBox2->setFocus();
            QTest::keyClick(dlg->ComboBox2->lineEdit(), how.startsWith(QLatin1String("enter")) ? Qt::Key_Return : Qt::Key_Escape);
        } else if (how == QLatin1String("enter editor")) {
            typeIntoCell(dlg->StringGrid3, 1, QStringLiteral("2"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        } else {
            dlg->close();
        }
    });
    const int returned = dlg->exec();

    QCOMPARE(returned, result);
    QCOMPARE(finished.count(), 1);
    QCOMPARE(Qos_form1, nullptr);
    QCOMPARE(int(m_cfg[0]), 0x20);
    // The dialog is still there when the modal call returns and goes away
    // once the event loop runs.
    QVERIFY(!m_dlg.isNull());
    QTRY_VERIFY(m_dlg.isNull());
}

void TestQosForm::hostDeletesDialogFirst()
{
    m_cfg = QosConfigArray::defaultImage();
    auto* dlg = new TQos_form(nullptr, false, &m_noFile, m_cfg.data(), &m_size);
    Qos_form1 = dlg;
    int destroyed = 0;
    connect(dlg, &QObject::destroyed, this, [&destroyed] { ++destroyed; });
    QTimer::singleShot(0, dlg, [dlg] { QTest::mouseClick(dlg->Button1, Qt::LeftButton); });
    QCOMPARE(dlg->exec(), 1);
    QCOMPARE(Qos_form1, nullptr);
    QCOMPARE(destroyed, 0); // scheduled, not yet run
    delete dlg;
    QCOMPARE(destroyed, 1);
    // The scheduled deletion is dropped with the dialog: nothing is deleted
    // twice, and no window is left.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
    QCOMPARE(destroyed, 1);
    QVERIFY(noWindowLeft());
}

void TestQosForm::captionsWithoutCatalogueFile()
{
    RecordingIni ini{QString()};
    TQos_form* dlg = makeDialog(QosConfigArray::defaultImage(), &ini, false);
    QCOMPARE(dlg->windowTitle(), QStringLiteral("Remote QoS Configuration Dialog"));
    QCOMPARE(dlg->RadioGroup3->itemText(0), QStringLiteral("We&ighted round robin"));
    QCOMPARE(dlg->RadioGroup3->itemText(1), QStringLiteral("Stric&t"));
    QCOMPARE(dlg->PageControl1->tabText(0), QStringLiteral("&Global Settings"));
    QCOMPARE(dlg->GroupBox4->title(), QStringLiteral("L&INE 3"));
    // Only the table headings and row labels were looked up.
    QCOMPARE(ini.lookups.size(), 2 + 8 + 2);
    QVERIFY(ini.lookups.filter(QStringLiteral("QOS/TAG_Pri_tab_head")).size() == 8);

    SeenBox seen;
    m_answerer = answerNextBox(&seen, QMessageBox::No);
    QTest::mouseClick(dlg->Button2, Qt::LeftButton);
    QCOMPARE(seen.text, kAllChangesDefault);
}

void TestQosForm::captionsFromCatalogueLackingEveryKey()
{
    RecordingIni ini{QStringLiteral("/nonexistent/Czech.ini")};
    TQos_form* dlg = makeDialog(QosConfigArray::defaultImage(), &ini, true);

    const QStringList captionKeys{
        QStringLiteral("Local QoS Configuration Dialog"), QStringLiteral("All_changes_msg"),
        QStringLiteral("&Global Settings"), QStringLiteral("&User Ports Settings"),
        QStringLiteral("&Modem Ports Settings"), QStringLiteral("QoS Main Switch"),
        QStringLiteral("&Disabled"), QStringLiteral("&Enabled"), QStringLiteral("Queue Mappings Tables"),
        QStringLiteral("Priority Queue Weights"), QStringLiteral("Tx Packets per round (1-125)"),
        QStringLiteral("Priority Queue 0 Weight"), QStringLiteral("Priority Queue 1 Weight"),
        QStringLiteral("Priority Queue 2 Weight"), QStringLiteral("Priority Queue 3 Weight"),
        QStringLiteral("&Ok"), QStringLiteral("&Reset"), QStringLiteral("&Cancel"),
        QStringLiteral("&LINE 2"), QStringLiteral("L&INE 3"), QStringLiteral("LI&NE 4"),
        QStringLiteral("Port Priority (0 Low-7 High)"), QStringLiteral("Priority Resolution"),
        QStringLiteral("VLAN Tag Remapping"), QStringLiteral("Port Priority (0 Low-7 High)"),
        QStringLiteral("Priority Resolution"), QStringLiteral("VLAN Tag Remapping"),
        QStringLiteral("Port Priority (0 Low-7 High)"), QStringLiteral("Priority Resolution"),
        QStringLiteral("VLAN Tag Remapping"), QStringLiteral("Channel &1 - Queue scheduling"),
        QStringLiteral("&Weighted round robin"), QStringLiteral("&Strict"),
        QStringLiteral("Channel &2 - Queue scheduling"), QStringLiteral("&Weighted round robin"),
        QStringLiteral("&Strict")};
    QCOMPARE(captionKeys.size(), 36);
    QStringList expected;
    for (const QString& key : captionKeys)
        expected << QStringLiteral("QOS/") + key;
    // The loads come first (table headings), the captions last, in order.
    QCOMPARE(ini.lookups.mid(ini.lookups.size() - 36), expected);

    QCOMPARE(dlg->windowTitle(), QStringLiteral("Local QoS Configuration Dialog"));
    QCOMPARE(dlg->RadioGroup3->itemText(0), QStringLiteral("&Weighted round robin"));
    QCOMPARE(dlg->RadioGroup3->itemText(1), QStringLiteral("&Strict"));
    QCOMPARE(dlg->Label13->text(), QStringLiteral("Priority Resolution"));
    QCOMPARE(dlg->Button3->text(), QStringLiteral("&Cancel"));
}

void TestQosForm::captionsFromTranslatedCatalogue()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lang.ini"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("[QOS]\n"
               "&Strict=&Striktn\xc4\x9b\n"
               "Local QoS Configuration Dialog=M\xc3\xadstn\xc3\xad QoS\n"
               "All_changes_msg=Zm\xc4\x9bny budou ztraceny.\n"
               "TAG_Pri_tab_head=\" Priorita\"\n"
               "[VLAN]\n"
               "QoS Main Switch=jin\xc3\xa1 sekce\n");
    file.close();
    TIniFile ini(path);

    QosBytes b = QosConfigArray::defaultImage();
    b[38] = 0x03; // both channels strict
    TQos_form* dlg = makeDialog(b, &ini, true);
    QCOMPARE(dlg->windowTitle(), QStringLiteral("M\u00edstn\u00ed QoS"));
    QCOMPARE(dlg->RadioGroup2->itemText(1), QStringLiteral("&Striktn\u011b"));
    QCOMPARE(dlg->RadioGroup3->itemText(1), QStringLiteral("&Striktn\u011b"));
    QCOMPARE(dlg->RadioGroup2->itemIndex(), 1); // renaming keeps the selection
    QCOMPARE(dlg->RadioGroup3->itemIndex(), 1);
    QCOMPARE(dlg->RadioGroup1->title(), QStringLiteral("QoS Main Switch"));
    QCOMPARE(dlg->StringGrid3->cellText(0, 5), QStringLiteral(" Priorita 5"));

    SeenBox seen;
    m_answerer = answerNextBox(&seen, QMessageBox::Cancel);
    QTest::mouseClick(dlg->Button2, Qt::LeftButton);
    QCOMPARE(seen.text, QStringLiteral("Zm\u011bny budou ztraceny."));
}

void TestQosForm::tableHeadingsReadAtEveryLoad()
{
    RecordingIni ini{QString()};
    TQos_form* dlg = makeDialog(QosConfigArray::defaultImage(), &ini);
    ini.lookups.clear();
    typeIntoCell(dlg->StringGrid2, 5, QStringLiteral("1"));
    leaveTo(dlg->StringGrid1);
    QCOMPARE(ini.lookups, QStringList{QStringLiteral("QOS/Pri_Queue_tab_head")});
    ini.lookups.clear();
    typeIntoCell(dlg->StringGrid1, 5, QStringLiteral("1"));
    leaveTo(dlg->Edit1);
    QCOMPARE(ini.lookups, QStringList{QStringLiteral("QOS/Pri_Queue_tab_head")});

    ini.lookups.clear();
    SeenBox seen;
    m_answerer = answerNextBox(&seen, QMessageBox::Yes);
    QTest::mouseClick(dlg->Button2, Qt::LeftButton);
    QCOMPARE(ini.lookups.size(), 2 + 8 + 2);
}

QTEST_MAIN(TestQosForm)
#include "tst_qos_form.moc"
