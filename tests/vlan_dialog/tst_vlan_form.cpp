// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The VLAN dialog driven as a user drives it: real clicks and keys, modal
// windows answered as they open, and the host's bytes checked afterwards.

#include "testing/ModalAnswering.h"
#include "tests/support/RecordingCatalogue.h"
#include "tests/support/VlanArray.h"

#include "ui/SystemColours.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleOptionButton>
#include <QtTest>

#include <memory>

namespace {

struct Facts
{
    bool vlanActiveInEthernet = false;
    char modem2Present = 1;
    char onePlusZeroInactive = 0;
    char modem2Mode = 0;
    char oduCapabilities = kLine4CapabilityBit; // has LINE 4
};

std::unique_ptr<TVlan_form> makeDialog(VlanArray& a, const Facts& f = {}, TIniFile* ini = nullptr,
                                       bool isLocal = true)
{
    int size = 0;
    auto d = std::make_unique<TVlan_form>(nullptr, isLocal, ini, a.data(), &size,
                                          f.vlanActiveInEthernet, f.modem2Present,
                                          f.onePlusZeroInactive, f.modem2Mode, f.oduCapabilities);
    return d;
}

// Shows the dialog (not modally) with the static VLAN page in front.
void showGrid(TVlan_form& d)
{
    d.show();
    QVERIFY(QTest::qWaitForWindowExposed(&d));
    d.PageControl1->setCurrentIndex(1);
}

// Clicks a check box where a user does: on its indicator.
void clickBox(QCheckBox* box)
{
    QStyleOptionButton option;
    option.initFrom(box);
    const QRect indicator = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, indicator.center());
}

void clickCell(TVlan_form& d, int col, int row)
{
    StringGrid* g = d.StringGrid1;
    g->scrollToItem(g->item(row, col));
    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->cellRect(col, row).center());
}

QStringList rowTexts(const TVlan_form& d, int row)
{
    QStringList t;
    for (int c = 0; c < 8; ++c)
        t << d.StringGrid1->cellText(c, row);
    return t;
}

// Types a VID into an open VID entry dialog and presses OK.
void typeVid(QWidget* w, const QString& vid, QString* shownInitially = nullptr)
{
    auto* f = qobject_cast<TForm3*>(w);
    QVERIFY2(f, "the VID entry dialog is open");
    if (shownInitially)
        *shownInitially = f->Edit1->text();
    f->Edit1->selectAll();
    QTest::keyClick(f->Edit1, Qt::Key_Backspace);
    QTest::keyClicks(f->Edit1, vid);
    QTest::mouseClick(f->Button1, Qt::LeftButton);
}

void cancelVid(QWidget* w, QString* shownInitially = nullptr)
{
    auto* f = qobject_cast<TForm3*>(w);
    QVERIFY2(f, "the VID entry dialog is open");
    if (shownInitially)
        *shownInitially = f->Edit1->text();
    QTest::mouseClick(f->Button2, Qt::LeftButton);
}

const QString kUnmodified = QStringLiteral(" Unmodified");
const QString kUntagged = QStringLiteral(" Untagged");
const QString kTagged = QStringLiteral("  Tagged");
const QString kNotMember = QStringLiteral("Not a member");

} // namespace

class TestVlanForm : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    // Window and captions
    void windowAsDesigned();
    void captionLookupsInOrder();
    void catalogueRenames();
    void titleKey_data();
    void titleKey();
    void sizeAndBlankRule_data();
    void sizeAndBlankRule();

    // Loading
    void loadsEveryControl();
    void nmsRowLoading_data();
    void nmsRowLoading();
    void reloadKeepsUplinkChosenByUser();
    void storedModeThreeShowsDoubleTag();
    void gridLoading();

    // Colouring and mode switch
    void colouring_data();
    void colouring();
    void modeSwitchThenCancelKeepsArray();

    // Forwarding matrix rules
    void uplinkAndRadioRules();

    // Static VLAN grid
    void membershipClicks_data();
    void membershipClicks();
    void nmsColumnMovesMembership_data();
    void nmsColumnMovesMembership();
    void deleteMarksAndInertCells();
    void vidEdit();
    void vidEditDuplicateReopens();
    void addEntryAndLimit();
    void addSuggests4094ThenReopens();
    void addOnEmptyTable();
    void addClearsMarks();
    void deleteEntries_data();
    void deleteEntries();

    // Set, Default, closing
    void refusedSetThenCancel();
    void setStopsAtFieldThatIsNoInteger();
    void setPassesMinusOneForTypedComboText();
    void defaultYesThenSet();
    void defaultLooksUpNoCaptions();
    void defaultNotConfirmed_data();
    void defaultNotConfirmed();
    void closingWays_data();
    void closingWays();
    void twoDialogsKeepTheirOwnState();
};

void TestVlanForm::cleanup()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

// ---- Window and captions -------------------------------------------------------

void TestVlanForm::windowAsDesigned()
{
    VlanArray a;
    auto d = makeDialog(a);
    QCOMPARE(d->size(), QSize(546, 384));
    QVERIFY(d->minimumSize().width() < 546 && d->minimumSize().height() < 384);
    QVERIFY(!(d->windowFlags() & Qt::WindowMinMaxButtonsHint));
    QVERIFY(d->windowFlags() & Qt::WindowCloseButtonHint);
    QVERIFY(!d->windowIcon().isNull());
    QCOMPARE(d->windowIcon().actualSize(QSize(32, 32)), QSize(32, 32));

    QStringList names{QStringLiteral("PageControl1"), QStringLiteral("RadioGroup1"),
                      QStringLiteral("StringGrid1"), QStringLiteral("Panel1"), QStringLiteral("Panel4"),
                      QStringLiteral("GridPanel6")};
    for (int i = 1; i <= 4; ++i)
        names << QStringLiteral("TabSheet%1").arg(i);
    for (int i = 1; i <= 22; ++i)
        names << QStringLiteral("Label%1").arg(i);
    for (int i = 2; i <= 7; ++i)
        names << QStringLiteral("Edit%1").arg(i);
    for (int i = 1; i <= 21; ++i)
        names << QStringLiteral("CheckBox%1").arg(i);
    for (int i = 2; i <= 14; ++i)
        names << QStringLiteral("ComboBox%1").arg(i);
    for (int i = 1; i <= 5; ++i)
        names << QStringLiteral("Button%1").arg(i);
    for (const QString& n : names)
        QVERIFY2(d->findChild<QWidget*>(n), qPrintable(n));

    QCOMPARE(d->PageControl1->count(), 4);
    QCOMPARE(d->PageControl1->currentIndex(), 0);
    QCOMPARE(d->RadioGroup1->columns(), 5);
    QCOMPARE(d->StringGrid1->columnCount(), 8);
    QCOMPARE(d->StringGrid1->fixedRows(), 1);
    QCOMPARE(d->StringGrid1->fixedCols(), 0);
    QVERIFY(!d->StringGrid1->cellEditing());
    QVERIFY(d->CheckBox19->isHidden());
    QVERIFY(!d->CheckBox19->isEnabled());
    QCOMPARE(d->CheckBox19->text(), QStringLiteral("Disable Learning"));
    for (QComboBox* box : {d->ComboBox7, d->ComboBox11, d->ComboBox12, d->ComboBox13})
        QVERIFY(!box->isEnabled());
    for (QComboBox* box : {d->ComboBox2, d->ComboBox8, d->ComboBox14}) {
        QVERIFY(box->isEditable());
        QCOMPARE(box->insertPolicy(), QComboBox::NoInsert);
    }
    QCOMPARE(d->ComboBox14->count(), 4);
    QCOMPARE(d->ComboBox14->itemText(3), QStringLiteral("0x9200"));
    for (QLineEdit* e : {d->Edit2, d->Edit7}) {
        QCOMPARE(e->maxLength(), 4);
        QCOMPARE(e->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);
    }
    QVERIFY(d->Button4->isDefault());
    // Tab order of the Global page.
    QCOMPARE(d->Edit7->nextInFocusChain(), static_cast<QWidget*>(d->CheckBox1));
    QCOMPARE(d->CheckBox5->nextInFocusChain(), static_cast<QWidget*>(d->ComboBox2));
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    d->ComboBox14->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(d->CheckBox6->hasFocus());
    d->close();
}

void TestVlanForm::captionLookupsInOrder()
{
    using Pair = std::pair<const char*, const char*>;
    std::vector<Pair> expected{
        {"local__vlan_cfg_dlg", "Local VLAN Configuration Dialog"},
        {"global_vlan", "&Global VLAN"}, {"vlan_main_switch", "VLAN Main Switch"},
        {"disable_mode", "&Disable"}, {"single_tag", "Si&ngle Tag"}, {"double_tag", "Dou&ble Tag"},
        {"rem_1_prv_tag", "Remove 1 Provider Tag Only"}, {"line_2", "LINE2"}, {"line_3", "LINE3"},
        {"line_4", "LINE4"}, {"modem_1", "Modem 1"}, {"modem_2", "Modem 2"}, {"nms", "NMS"},
        {"set_button", "&Set"}, {"cancel_button", "&Cancel"}, {"default_button", "De&fault"},
        {"default_vid", "Default VID"}, {"force_default_vid", "Force Default VID"},
        {"ingress_policy", "Ingress Policy"}, {"port_double_tag_mode", "Port Double Tag Mode"},
        {"provider_eth_type", "Provider Ether Type"}};
    for (int i = 0; i < 6; ++i) {
        expected.push_back({"admit_all", "Admit All"});
        expected.push_back({"tag_only", "Tag only"});
    }
    for (int i = 0; i < 6; ++i) {
        expected.push_back({"customer", "Customer"});
        expected.push_back({"provider", "Provider"});
    }
    for (const Pair& p : std::initializer_list<Pair>{
             {"static_vlan", "S&tatic VLAN"}, {"static_vlan_entr", "Static VLAN Entries:"},
             {"add_vlan", "&Add New VLAN"}, {"del_vlan", "D&elete VLAN"},
             {"ports_vlan", "&Port Based VLAN"}, {"separate_user_ports", "Separate User Ports"},
             {"line_2", "LINE 2"}, {"line_3", "LINE 3"}, {"line_4", "LINE 4"},
             {"modem_1", "Modem 1"}, {"modem_2", "Modem 2"}, {"modem_1", "Modem 1"},
             {"modem_2", "Modem 2"}, {"nms", "NMS"}, {"miscellaneous", "&Miscellaneous"},
             {"bpdu_pri_overr", "&BPDU priority Override"}, {"lacp_pri_overr", "&LACP priority Override"}})
        expected.push_back(p);
    QCOMPARE(int(expected.size()), 62); // the title and 61 captions

    RecordingCatalogue cat;
    VlanArray a;
    auto d = makeDialog(a, {}, &cat);
    QVERIFY(cat.lookups.size() > expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QCOMPARE(cat.lookups[i].section, QStringLiteral("VLAN"));
        QCOMPARE(cat.lookups[i].key, QString::fromLatin1(expected[i].first));
        QCOMPARE(cat.lookups[i].def, QString::fromLatin1(expected[i].second));
    }
    // Loading follows: the grid's header row is looked up at every load.
    const QStringList rest = cat.keys().mid(int(expected.size()));
    for (const char* key : {"line2_clmn", "line3_clmn", "line4_clmn", "mdm1__clmn", "mdm2__clmn",
                            "nms___clmn", "delete_clmn", "unmodified_member", "not_a_member"})
        QVERIFY2(rest.contains(QLatin1String(key)), key);

    // With no translations every caption is its English default.
    QCOMPARE(d->windowTitle(), QStringLiteral("Local VLAN Configuration Dialog"));
    QCOMPARE(d->Label3->text(), QStringLiteral("LINE2"));
    QCOMPARE(d->Label17->text(), QStringLiteral("LINE 2"));
    QCOMPARE(d->Label5->text(), QStringLiteral("LINE4"));
    QCOMPARE(d->Label19->text(), QStringLiteral("LINE 4"));
    QCOMPARE(d->RadioGroup1->itemText(1), QStringLiteral("Si&ngle Tag"));
    QCOMPARE(d->PageControl1->tabText(3), QStringLiteral("&Miscellaneous"));
    QCOMPARE(d->ComboBox7->itemText(1), QStringLiteral("Tag only"));
    QCOMPARE(d->ComboBox13->itemText(1), QStringLiteral("Provider"));
    QCOMPARE(d->Button4->text(), QStringLiteral("&Cancel"));
    QCOMPARE(rowTexts(*d, 0), (QStringList{QStringLiteral(" VID"), QStringLiteral(" LINE2"),
                                           QStringLiteral(" LINE3"), QStringLiteral(" LINE4"),
                                           QStringLiteral(" Modem 1"), QStringLiteral(" Modem 2"),
                                           QStringLiteral(" NMS"), QStringLiteral(" Delete")}));
}

void TestVlanForm::catalogueRenames()
{
    RecordingCatalogue cat;
    cat.values = {{QStringLiteral("line_2"), QStringLiteral("Linka 2")},
                  {QStringLiteral("admit_all"), QStringLiteral("Vse")},
                  {QStringLiteral("provider"), QStringLiteral("Poskytovatel")},
                  {QStringLiteral("nms"), QStringLiteral("Sprava")},
                  {QStringLiteral("single_tag"), QStringLiteral("&Jeden")},
                  {QStringLiteral("global_vlan"), QStringLiteral("&Obecne")},
                  {QStringLiteral("nms___clmn"), QStringLiteral(" Spr")},
                  {QStringLiteral("untagged_member"), QStringLiteral(" Bez znacky")}};
    VlanArray a;
    a.mode(1);
    a.cfg().set_ingress_policy(port_line3, 1);
    auto d = makeDialog(a, {}, &cat);

    QCOMPARE(d->Label3->text(), QStringLiteral("Linka 2"));
    QCOMPARE(d->Label17->text(), QStringLiteral("Linka 2"));
    QCOMPARE(d->Label8->text(), QStringLiteral("Sprava"));
    QCOMPARE(d->Label16->text(), QStringLiteral("Sprava"));
    for (QComboBox* box : {d->ComboBox2, d->ComboBox3, d->ComboBox4, d->ComboBox5, d->ComboBox6,
                           d->ComboBox7}) {
        QCOMPARE(box->count(), 2);
        QCOMPARE(box->itemText(0), QStringLiteral("Vse"));
    }
    for (QComboBox* box : {d->ComboBox8, d->ComboBox13})
        QCOMPARE(box->itemText(1), QStringLiteral("Poskytovatel"));
    QCOMPARE(d->ComboBox3->currentIndex(), 1); // the selection is the array's
    QCOMPARE(d->ComboBox11->currentText(), QStringLiteral("Poskytovatel"));
    QCOMPARE(d->RadioGroup1->itemText(1), QStringLiteral("&Jeden"));
    QCOMPARE(d->RadioGroup1->itemIndex(), 1);
    QCOMPARE(d->PageControl1->tabText(0), QStringLiteral("&Obecne"));
    QCOMPARE(d->StringGrid1->cellText(6, 0), QStringLiteral(" Spr"));
    QCOMPARE(d->StringGrid1->cellText(2, 1), QStringLiteral(" Bez znacky"));
    // A renamed label keeps its whole text visible.
    QVERIFY(d->Label3->width() >= d->Label3->sizeHint().width());
}

void TestVlanForm::titleKey_data()
{
    QTest::addColumn<bool>("isLocal");
    QTest::newRow("local") << true;
    QTest::newRow("remote") << false;
}

void TestVlanForm::titleKey()
{
    QFETCH(bool, isLocal);
    RecordingCatalogue cat;
    cat.values = {{QStringLiteral("local__vlan_cfg_dlg"), QStringLiteral("Mistni")},
                  {QStringLiteral("remote_vlan_cfg_dlg"), QStringLiteral("Vzdalena")}};
    VlanArray a;
    auto d = makeDialog(a, {}, &cat, isLocal);
    QCOMPARE(d->windowTitle(), isLocal ? QStringLiteral("Mistni") : QStringLiteral("Vzdalena"));
    const QStringList keys = cat.keys();
    QCOMPARE(keys.count(QStringLiteral("local__vlan_cfg_dlg")), isLocal ? 1 : 0);
    QCOMPARE(keys.count(QStringLiteral("remote_vlan_cfg_dlg")), isLocal ? 0 : 1);
}

void TestVlanForm::sizeAndBlankRule_data()
{
    QTest::addColumn<int>("ffBytes");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("one short of the threshold kept") << kVlanBlankThreshold - 1 << false;
    QTest::newRow("threshold replaced") << kVlanBlankThreshold << true;
    QTest::newRow("all 82 replaced") << 82 << true;
}

void TestVlanForm::sizeAndBlankRule()
{
    QFETCH(int, ffBytes);
    QFETCH(bool, replaced);
    VlanArray a;
    a.bytes.fill(0x00);
    for (int i = 0; i < ffBytes; ++i)
        a.bytes[kVlanConfigSize - 1 - i] = 0xFF;
    const auto before = a.bytes;
    int size = -1;
    TVlan_form d(nullptr, true, nullptr, a.data(), &size, false, 1, 0, 0, 8);
    QCOMPARE(size, 82);
    QCOMPARE(a.bytes == VlanConfigArray::defaultImage(), replaced);
    if (!replaced)
        QCOMPARE(a.bytes, before);
}

// ---- Loading -----------------------------------------------------------------

void TestVlanForm::loadsEveryControl()
{
    VlanArray a;
    VlanConfigArray c = a.cfg();
    const unsigned short vids[6] = {0, 4095, 5, 4094, 1, 300};
    for (int p = 0; p < 6; ++p)
        c.set_Default_VID(tPortik(p), vids[p]);
    c.set_force_DefVID(port_line3, 1);
    c.set_force_DefVID(port_modem2, 1);
    c.set_ingress_policy(port_line2, 1);
    c.set_ingress_policy(port_modem1, 1);
    c.set_remove_1PT(1);
    c.set_provEth_type(3);
    c.set_doubleTag_mode(port_line4, 1);
    c.set_doubleTag_mode(port_modem1, 0); // not shown: Modem 1 always reads "Provider"
    c.set_vlan_mode(2);
    c.setMiscFlags(true, false, true);
    const auto before = a.bytes;
    auto d = makeDialog(a);
    QCOMPARE(a.bytes, before); // loading only reads

    QCOMPARE(d->RadioGroup1->itemIndex(), 2);
    const QLineEdit* edits[6] = {d->Edit2, d->Edit3, d->Edit4, d->Edit5, d->Edit6, d->Edit7};
    for (int p = 0; p < 6; ++p)
        QCOMPARE(edits[p]->text(), QString::number(vids[p]));
    const QCheckBox* force[5] = {d->CheckBox1, d->CheckBox2, d->CheckBox3, d->CheckBox4, d->CheckBox5};
    for (int p = 0; p < 5; ++p)
        QCOMPARE(force[p]->isChecked(), p == 1 || p == 4);
    QCOMPARE(d->ComboBox2->currentIndex(), 1);
    QCOMPARE(d->ComboBox3->currentIndex(), 0);
    QCOMPARE(d->ComboBox5->currentIndex(), 1);
    QCOMPARE(d->ComboBox7->currentIndex(), 0);
    QVERIFY(d->CheckBox6->isChecked());
    QCOMPARE(d->ComboBox14->currentIndex(), 3);
    QCOMPARE(d->ComboBox14->currentText(), QStringLiteral("0x9200"));
    QCOMPARE(d->ComboBox8->currentIndex(), 0);
    QCOMPARE(d->ComboBox10->currentIndex(), 1);
    QCOMPARE(d->ComboBox11->currentIndex(), 1);
    QCOMPARE(d->ComboBox12->currentIndex(), 1);
    QCOMPARE(d->ComboBox13->currentIndex(), 0);
    QVERIFY(d->CheckBox19->isChecked());
    QVERIFY(!d->CheckBox20->isChecked());
    QVERIFY(d->CheckBox21->isChecked());
}

void TestVlanForm::nmsRowLoading_data()
{
    QTest::addColumn<int>("bits");      // NMS to LINE 2, 3, 4, Modem 1, Modem 2 as bits 0..4
    QTest::addColumn<bool>("hasLine4");
    QTest::addColumn<int>("expected");  // CheckBox13..17 as bits 0..4

    QTest::newRow("LINE 2 and LINE 3: LINE 3 wins") << 0b00011 << true << 0b00010;
    QTest::newRow("LINE 2 and LINE 4: LINE 4 wins") << 0b00101 << true << 0b00100;
    QTest::newRow("LINE 2 and LINE 4 without LINE 4: LINE 2") << 0b00101 << false << 0b00001;
    QTest::newRow("only LINE 4 without LINE 4: design LINE 3 stays") << 0b00100 << false << 0b00010;
    QTest::newRow("none: design LINE 3 stays") << 0b00000 << true << 0b00010;
    QTest::newRow("all three: LINE 4") << 0b00111 << true << 0b00100;
    QTest::newRow("both modems: Modem 2") << 0b11001 << true << 0b10001;
    QTest::newRow("Modem 1 only") << 0b01001 << true << 0b01001;
    QTest::newRow("no modem") << 0b00001 << true << 0b00001;
}

void TestVlanForm::nmsRowLoading()
{
    QFETCH(int, bits);
    QFETCH(bool, hasLine4);
    QFETCH(int, expected);
    VlanArray a;
    PortForwarding fwd = a.cfg().portForwarding();
    for (int i = 0; i < 5; ++i)
        fwd[6 + i] = (bits >> i) & 1;
    a.cfg().setPortForwarding(fwd);
    Facts f;
    f.oduCapabilities = hasLine4 ? char(kLine4CapabilityBit) : 0;
    auto d = makeDialog(a, f);
    const QCheckBox* row[5] = {d->CheckBox13, d->CheckBox14, d->CheckBox15, d->CheckBox16, d->CheckBox17};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(row[i]->isChecked(), bool((expected >> i) & 1));
    // The other boxes show their bits as they are.
    QCOMPARE(d->CheckBox7->isChecked(), fwd[0]);
    QCOMPARE(d->CheckBox18->isChecked(), fwd[11]);
}

void TestVlanForm::reloadKeepsUplinkChosenByUser()
{
    VlanArray a;
    PortForwarding fwd = a.cfg().portForwarding();
    fwd[6] = fwd[7] = fwd[8] = false;
    a.cfg().setPortForwarding(fwd);
    auto d = makeDialog(a);
    QVERIFY(d->CheckBox14->isChecked());
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    d->PageControl1->setCurrentIndex(2);
    clickBox(d->CheckBox13);
    QVERIFY(d->CheckBox13->isChecked());
    QVERIFY(!d->CheckBox14->isChecked());
    d->nastav_ovladaci_prvky();
    QVERIFY(d->CheckBox13->isChecked());
    QVERIFY(!d->CheckBox14->isChecked());
    QVERIFY(!d->CheckBox15->isChecked());
    d->close();
}

void TestVlanForm::storedModeThreeShowsDoubleTag()
{
    VlanArray a;
    a.bytes[1] |= 0xC0;
    auto d = makeDialog(a);
    QCOMPARE(d->RadioGroup1->itemIndex(), 2);
    QCOMPARE(d->get_vlan_mode(), 3);
    QCOMPARE(d->StringGrid1->rowCount(), 2);
    QCOMPARE(d->StringGrid1->cellText(0, 1), QStringLiteral("1"));
}

void TestVlanForm::gridLoading()
{
    // The default image's entry (bytes 01 70 7B) in Single Tag mode.
    VlanArray a;
    a.mode(1);
    auto d = makeDialog(a);
    QCOMPARE(d->StringGrid1->rowCount(), 2);
    QCOMPARE(rowTexts(*d, 1), (QStringList{QStringLiteral("1"), kNotMember, kUntagged, kNotMember,
                                           kTagged, kNotMember, kUntagged, QString()}));

    // No entries: the header row alone.
    VlanArray empty;
    empty.cfg().set_pocet_vlan(0);
    auto e = makeDialog(empty);
    QCOMPARE(e->StringGrid1->rowCount(), 1);
    QCOMPARE(e->StringGrid1->cellText(7, 0), QStringLiteral(" Delete"));

    // A stored count above the 22 slots is bounded at 22.
    VlanArray many;
    many.cfg().set_pocet_vlan(200);
    auto m = makeDialog(many);
    QCOMPARE(m->StringGrid1->rowCount(), 23);
    QCOMPARE(int(m->vlanEntryCount()), 22);
}

// ---- Colouring and mode switch ------------------------------------------------

void TestVlanForm::colouring_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("modem2Mode");
    QTest::addColumn<bool>("hasLine4");
    for (int mode : {0, 1, 2})
        for (int m2 : {int(kModem2UnusableMode) - 1, int(kModem2UnusableMode), int(kModem2UnusableMode) + 1})
            for (bool l4 : {true, false})
                QTest::addRow("mode %d, modem2Mode %d, %s", mode, m2, l4 ? "LINE 4" : "no LINE 4")
                    << mode << m2 << l4;
}

void TestVlanForm::colouring()
{
    QFETCH(int, mode);
    QFETCH(int, modem2Mode);
    QFETCH(bool, hasLine4);
    VlanArray a;
    a.mode(mode);
    Facts f;
    f.modem2Present = 1;
    f.modem2Mode = char(modem2Mode);
    f.oduCapabilities = char(hasLine4 ? 0x07 | kLine4CapabilityBit : 0x07 & ~kLine4CapabilityBit);
    auto d = makeDialog(a, f);

    const bool on = mode != 0;
    const bool modem2 = on && modem2Mode != int(kModem2UnusableMode);
    const bool line4 = on && hasLine4;
    const QColor window = systemColour(SystemColour::Window);
    const QColor inactive = systemColour(SystemColour::InactiveCaption);
    QVERIFY(window != inactive);

    for (QLabel* l : {d->Label3, d->Label4, d->Label6, d->Label8, d->Label9, d->Label10, d->Label11,
                      d->Label1, d->Label14, d->Label16, d->Label17, d->Label18, d->Label20, d->Label22})
        QVERIFY2(l->isEnabled() == on, qPrintable(l->objectName()));
    for (QLabel* l : {d->Label5, d->Label19})
        QVERIFY2(l->isEnabled() == line4, qPrintable(l->objectName()));
    for (QLabel* l : {d->Label7, d->Label15, d->Label21})
        QVERIFY2(l->isEnabled() == modem2, qPrintable(l->objectName()));
    for (QLabel* l : {d->Label12, d->Label13, d->Label2})
        QVERIFY2(l->isEnabled() == (mode == 2), qPrintable(l->objectName()));

    for (QWidget* w : {static_cast<QWidget*>(d->Edit2), static_cast<QWidget*>(d->Edit3),
                       static_cast<QWidget*>(d->Edit5), static_cast<QWidget*>(d->Edit7),
                       static_cast<QWidget*>(d->ComboBox2), static_cast<QWidget*>(d->ComboBox4),
                       static_cast<QWidget*>(d->ComboBox6), static_cast<QWidget*>(d->ComboBox7)})
        QVERIFY2(fieldColour(w) == (on ? window : inactive), qPrintable(w->objectName()));
    QCOMPARE(fieldColour(d->Edit4), line4 ? window : inactive);
    QCOMPARE(fieldColour(d->Edit6), modem2 ? window : inactive);
    for (QComboBox* box : {d->ComboBox8, d->ComboBox10, d->ComboBox12, d->ComboBox13, d->ComboBox14})
        QVERIFY2(fieldColour(box) == (mode == 2 ? window : inactive), qPrintable(box->objectName()));

    // Only a sign: everything stays usable.
    for (QWidget* w : {static_cast<QWidget*>(d->Edit4), static_cast<QWidget*>(d->Edit6),
                       static_cast<QWidget*>(d->ComboBox4), static_cast<QWidget*>(d->CheckBox3),
                       static_cast<QWidget*>(d->CheckBox9), static_cast<QWidget*>(d->StringGrid1),
                       static_cast<QWidget*>(d->Button1)})
        QVERIFY2(w->isEnabled(), qPrintable(w->objectName()));
    QVERIFY(!d->Edit4->isReadOnly());
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    d->Edit6->setFocus();
    d->Edit6->selectAll();
    QTest::keyClicks(d->Edit6, QStringLiteral("42"));
    QCOMPARE(d->Edit6->text(), QStringLiteral("42"));
    d->close();
}

void TestVlanForm::modeSwitchThenCancelKeepsArray()
{
    VlanArray a;
    const auto before = a.bytes;
    auto d = makeDialog(a);
    d->PageControl1->setCurrentIndex(1);
    QStringList doubleTagRow, singleTagRow;
    QColor singleTagVid, disableVid;
    ModalScript script{[&](QWidget*) {
        QTest::mouseClick(d->RadioGroup1->button(2), Qt::LeftButton);
        doubleTagRow = rowTexts(*d, 1);
        QTest::mouseClick(d->RadioGroup1->button(1), Qt::LeftButton);
        singleTagRow = rowTexts(*d, 1);
        singleTagVid = fieldColour(d->Edit2);
        QTest::mouseClick(d->RadioGroup1->button(0), Qt::LeftButton);
        disableVid = fieldColour(d->Edit2);
        QTest::mouseClick(d->RadioGroup1->button(2), Qt::LeftButton);
        QTest::mouseClick(d->Button4, Qt::LeftButton);
    }};
    QCOMPARE(d->exec(), 2);
    QVERIFY(script.finished());
    QCOMPARE(doubleTagRow, (QStringList{QStringLiteral("1"), kNotMember, kUnmodified, kNotMember,
                                        kUnmodified, kNotMember, kUnmodified, QString()}));
    QCOMPARE(singleTagRow, (QStringList{QStringLiteral("1"), kNotMember, kUntagged, kNotMember,
                                        kTagged, kNotMember, kUntagged, QString()}));
    QCOMPARE(singleTagVid, systemColour(SystemColour::Window));
    QCOMPARE(disableVid, systemColour(SystemColour::InactiveCaption));
    QCOMPARE(a.bytes, before);
}

// ---- Forwarding matrix rules ------------------------------------------------------

void TestVlanForm::uplinkAndRadioRules()
{
    for (bool hasLine4 : {true, false}) {
        VlanArray a; // NMS to LINE 3 and to Modem 1 set
        Facts f;
        f.oduCapabilities = hasLine4 ? char(kLine4CapabilityBit) : 0;
        auto d = makeDialog(a, f);
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d.get()));
        d->PageControl1->setCurrentIndex(2);
        auto state = [&] {
            return QString::fromLatin1("%1%2%3%4%5")
                .arg(int(d->CheckBox13->isChecked())).arg(int(d->CheckBox14->isChecked()))
                .arg(int(d->CheckBox15->isChecked())).arg(int(d->CheckBox16->isChecked()))
                .arg(int(d->CheckBox17->isChecked()));
        };
        QCOMPARE(state(), QStringLiteral("01010"));
        clickBox(d->CheckBox14); // the last uplink cannot be cleared
        QCOMPARE(state(), QStringLiteral("01010"));
        clickBox(d->CheckBox15); // LINE 4 only where the unit has it
        QCOMPARE(state(), hasLine4 ? QStringLiteral("00110") : QStringLiteral("01010"));
        clickBox(d->CheckBox13);
        QCOMPARE(state(), QStringLiteral("10010"));
        clickBox(d->CheckBox17); // the radio boxes exclude each other
        QCOMPARE(state(), QStringLiteral("10001"));
        clickBox(d->CheckBox17); // and may both be clear
        QCOMPARE(state(), QStringLiteral("10000"));
        d->close();
    }
}

// ---- Static VLAN grid ------------------------------------------------------------

void TestVlanForm::membershipClicks_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("startCode");
    QTest::addColumn<QStringList>("texts");   // the cell after each click
    QTest::addColumn<QList<int>>("codes");    // the code after each click

    QTest::newRow("Single Tag cycles") << 1 << 0
        << QStringList{kUntagged, kTagged, kNotMember, kUnmodified} << QList<int>{1, 2, 3, 0};
    QTest::newRow("Disable cycles the same way") << 0 << 2
        << QStringList{kNotMember, kUnmodified, kUntagged} << QList<int>{3, 0, 1};
    QTest::newRow("Double Tag: untagged, out, in unmodified") << 2 << 1
        << QStringList{kNotMember, kUnmodified, kNotMember} << QList<int>{3, 0, 3};
    QTest::newRow("Double Tag: tagged") << 2 << 2
        << QStringList{kNotMember, kUnmodified} << QList<int>{3, 0};
}

void TestVlanForm::membershipClicks()
{
    QFETCH(int, mode);
    QFETCH(int, startCode);
    QFETCH(QStringList, texts);
    QFETCH(QList<int>, codes);
    VlanArray a;
    a.entries({entry(10, {3, 3, 3, 3, 3, 1}),
               entry(20, {(unsigned char)startCode, 3, 3, 3, 3, 3})}).mode(mode);
    auto d = makeDialog(a);
    showGrid(*d);
    for (int i = 0; i < texts.size(); ++i) {
        clickCell(*d, 1, 2); // LINE 2 of the second entry
        QCOMPARE(d->StringGrid1->cellText(1, 2), texts[i]);
        QCOMPARE(int(d->vlanPole()[vp_line2][1]), codes[i]);
    }
    QCOMPARE(d->StringGrid1->cellText(1, 1), kNotMember); // the other entry is untouched
    d->close();
}

void TestVlanForm::nmsColumnMovesMembership_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("memberText");
    QTest::addColumn<int>("memberCode");
    QTest::newRow("Single Tag") << 1 << kUntagged << 1;
    QTest::newRow("Double Tag") << 2 << kUnmodified << 0;
}

void TestVlanForm::nmsColumnMovesMembership()
{
    QFETCH(int, mode);
    QFETCH(QString, memberText);
    QFETCH(int, memberCode);
    VlanArray a;
    // The array may hold NMS in several entries; the first and the second here.
    a.entries({entry(10, {1, 1, 1, 1, 1, 1}), entry(20, {1, 1, 1, 1, 1, 1}),
               entry(30, {1, 1, 1, 1, 1, 3})}).mode(mode);
    const auto before = a.bytes;
    auto d = makeDialog(a);
    showGrid(*d);
    clickCell(*d, 6, 3); // the third entry's "Not a member" NMS cell
    QCOMPARE(d->StringGrid1->cellText(6, 3), memberText);
    QCOMPARE(int(d->vlanPole()[vp_nms][2]), memberCode);
    for (int row : {1, 2}) {
        QCOMPARE(d->StringGrid1->cellText(6, row), kNotMember);
        QCOMPARE(int(d->vlanPole()[vp_nms][row - 1]), 3);
    }
    clickCell(*d, 6, 3); // a member cell does nothing
    QCOMPARE(d->StringGrid1->cellText(6, 3), memberText);
    QCOMPARE(int(d->vlanPole()[vp_nms][2]), memberCode);
    QCOMPARE(a.bytes, before); // nothing reaches the array before Set
    d->close();
}

void TestVlanForm::deleteMarksAndInertCells()
{
    VlanArray a;
    a.entries({entry(10, {3, 3, 3, 3, 3, 1}), entry(20, {3, 3, 3, 3, 3, 3})}).mode(1);
    auto d = makeDialog(a);
    showGrid(*d);
    clickCell(*d, 7, 2);
    QCOMPARE(d->StringGrid1->cellText(7, 2), QStringLiteral("   X"));
    QCOMPARE(int(d->vlanPole()[vp_mark][1]), 1);
    clickCell(*d, 7, 2);
    QCOMPARE(d->StringGrid1->cellText(7, 2), QString());
    QCOMPARE(int(d->vlanPole()[vp_mark][1]), 0);

    // Header cells react to nothing, neither does the grid's empty area.
    const QStringList header = rowTexts(*d, 0);
    ModalScript noWindowExpected;
    for (int c : {0, 1, 6, 7})
        clickCell(*d, c, 0);
    QTest::mouseClick(d->StringGrid1->viewport(), Qt::LeftButton, {},
                      QPoint(5, d->StringGrid1->viewport()->height() - 3));
    QCOMPARE(noWindowExpected.stepsRun(), 0);
    QCOMPARE(rowTexts(*d, 0), header);
    QCOMPARE(rowTexts(*d, 1), (QStringList{QStringLiteral("10"), kNotMember, kNotMember, kNotMember,
                                           kNotMember, kNotMember, kUntagged, QString()}));

    // A mode switch empties the delete column but keeps the marks: a
    // following delete still removes the entry marked before.
    clickCell(*d, 7, 2);
    QTest::mouseClick(d->RadioGroup1->button(2), Qt::LeftButton);
    QCOMPARE(d->StringGrid1->cellText(7, 2), QString());
    QCOMPARE(int(d->vlanPole()[vp_mark][1]), 1);
    QTest::mouseClick(d->Button2, Qt::LeftButton);
    QCOMPARE(int(d->vlanEntryCount()), 1);
    QCOMPARE(d->StringGrid1->cellText(0, 1), QStringLiteral("10"));
    d->close();
}

void TestVlanForm::vidEdit()
{
    VlanArray a;
    a.entries({entry(10, {3, 3, 3, 3, 3, 1}), entry(20, {3, 3, 3, 3, 3, 3})}).mode(1);
    const auto before = a.bytes;
    auto d = makeDialog(a);
    showGrid(*d);
    QString initial;
    ModalScript script{[&](QWidget* w) { typeVid(w, QStringLiteral("77"), &initial); }};
    clickCell(*d, 0, 2);
    QVERIFY(script.finished());
    QCOMPARE(initial, QStringLiteral("20"));
    QCOMPARE(d->StringGrid1->cellText(0, 2), QStringLiteral("77"));
    QCOMPARE(int(d->vlanPole()[vp_vid][1]), 77);

    // Cancelled: nothing changes.
    ModalScript cancel{[&](QWidget* w) { cancelVid(w, &initial); }};
    clickCell(*d, 0, 1);
    QVERIFY(cancel.finished());
    QCOMPARE(initial, QStringLiteral("10"));
    QCOMPARE(d->StringGrid1->cellText(0, 1), QStringLiteral("10"));
    QCOMPARE(a.bytes, before);
    d->close();
}

void TestVlanForm::vidEditDuplicateReopens()
{
    VlanArray a;
    a.entries({entry(10, {3, 3, 3, 3, 3, 1}), entry(20, {3, 3, 3, 3, 3, 3})}).mode(1);
    auto d = makeDialog(a);
    showGrid(*d);
    QString boxText, ownBoxText, reopenedWith, reopenedAgainWith;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    ModalScript script{
        [&](QWidget* w) { typeVid(w, QStringLiteral("10")); },
        [&](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                icon = box->icon();
                buttons = box->standardButtons();
            }
            boxText = answerBox(w, QMessageBox::Close);
        },
        // The entry's own VID exists as well.
        [&](QWidget* w) { typeVid(w, QStringLiteral("20"), &reopenedWith); },
        [&](QWidget* w) { ownBoxText = answerBox(w, QMessageBox::Close); },
        [&](QWidget* w) { cancelVid(w, &reopenedAgainWith); }};
    clickCell(*d, 0, 2);
    QVERIFY(script.finished());
    QCOMPARE(boxText, QStringLiteral("VLAN ID already exists."));
    QCOMPARE(ownBoxText, QStringLiteral("VLAN ID already exists."));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Close));
    QCOMPARE(reopenedWith, QStringLiteral("20"));
    QCOMPARE(reopenedAgainWith, QStringLiteral("20"));
    QCOMPARE(d->StringGrid1->cellText(0, 2), QStringLiteral("20"));
    QCOMPARE(int(d->vlanPole()[vp_vid][1]), 20);
    d->close();
}

void TestVlanForm::addEntryAndLimit()
{
    // From the default image: one entry, VID 1.
    VlanArray a;
    a.mode(1);
    auto d = makeDialog(a);
    showGrid(*d);
    QString suggested;
    ModalScript script{[&](QWidget* w) { typeVid(w, QStringLiteral("2"), &suggested); }};
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QVERIFY(script.finished());
    QCOMPARE(suggested, QStringLiteral("2"));
    QCOMPARE(d->StringGrid1->rowCount(), 3);
    // The ports' codes of the previous last entry, NMS not a member.
    QCOMPARE(rowTexts(*d, 2), (QStringList{QStringLiteral("2"), kNotMember, kUntagged, kNotMember,
                                           kTagged, kNotMember, kNotMember, QString()}));
    d->close();

    // 21 entries: one more fits, the next is refused.
    VlanArray full;
    {
        VlanConfigArray c = full.cfg();
        for (int i = 0; i < 21; ++i)
            c.writeSlot(i, entry(static_cast<unsigned short>(100 + i), {0, 0, 0, 0, 0, 3}));
        c.set_pocet_vlan(21);
    }
    auto e = makeDialog(full);
    showGrid(*e);
    QString limitText;
    ModalScript more{[&](QWidget* w) { typeVid(w, QStringLiteral("500"), &suggested); },
                     [&](QWidget* w) { limitText = answerBox(w, QMessageBox::Close); }};
    QTest::mouseClick(e->Button1, Qt::LeftButton);
    QCOMPARE(suggested, QStringLiteral("121"));
    QCOMPARE(int(e->vlanEntryCount()), 22);
    QCOMPARE(e->StringGrid1->rowCount(), 23);
    QTest::mouseClick(e->Button1, Qt::LeftButton);
    QVERIFY(more.finished());
    QCOMPARE(limitText, QStringLiteral("No more than 22 entries possible!"));
    QCOMPARE(int(e->vlanEntryCount()), 22);
    e->close();
}

void TestVlanForm::addSuggests4094ThenReopens()
{
    VlanArray a;
    a.entries({entry(7, {3, 3, 3, 3, 3, 1}), entry(4094, {1, 2, 0, 3, 1, 1})}).mode(1);
    auto d = makeDialog(a);
    showGrid(*d);
    QString first, again, boxText;
    ModalScript script{[&](QWidget* w) { typeVid(w, QStringLiteral("4094"), &first); },
                       [&](QWidget* w) { boxText = answerBox(w, QMessageBox::Close); },
                       [&](QWidget* w) { typeVid(w, QStringLiteral("100"), &again); }};
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QVERIFY(script.finished());
    QCOMPARE(first, QStringLiteral("4094"));
    QCOMPARE(boxText, QStringLiteral("VLAN ID already exists."));
    QCOMPARE(again, QStringLiteral("4094"));
    QCOMPARE(int(d->vlanEntryCount()), 3);
    QCOMPARE(rowTexts(*d, 3), (QStringList{QStringLiteral("100"), kUntagged, kTagged, kUnmodified,
                                           kNotMember, kUntagged, kNotMember, QString()}));
    d->close();
}

void TestVlanForm::addOnEmptyTable()
{
    VlanArray a;
    a.cfg().set_pocet_vlan(0);
    a.mode(1);
    auto d = makeDialog(a);
    showGrid(*d);
    QString suggested;
    ModalScript script{[&](QWidget* w) { typeVid(w, QStringLiteral("5"), &suggested); }};
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QVERIFY(script.finished());
    QCOMPARE(suggested, QStringLiteral("1"));
    QCOMPARE(rowTexts(*d, 1), (QStringList{QStringLiteral("5"), kNotMember, kNotMember, kNotMember,
                                           kNotMember, kNotMember, kNotMember, QString()}));
    d->close();
}

void TestVlanForm::addClearsMarks()
{
    VlanArray a;
    a.entries({entry(1, {3, 3, 3, 3, 3, 1}), entry(2, {3, 3, 3, 3, 3, 3}),
               entry(3, {3, 3, 3, 3, 3, 3})}).mode(1);
    auto d = makeDialog(a);
    showGrid(*d);
    clickCell(*d, 7, 1);
    clickCell(*d, 7, 3);
    ModalScript script{[&](QWidget* w) { typeVid(w, QStringLiteral("9")); }};
    QTest::mouseClick(d->Button1, Qt::LeftButton);
    QVERIFY(script.finished());
    QCOMPARE(int(d->vlanEntryCount()), 4);
    for (int row = 1; row <= 4; ++row) {
        QCOMPARE(d->StringGrid1->cellText(7, row), QString());
        QCOMPARE(int(d->vlanPole()[vp_mark][row - 1]), 0);
    }
    // With no marks left, delete does nothing.
    QTest::mouseClick(d->Button2, Qt::LeftButton);
    QCOMPARE(int(d->vlanEntryCount()), 4);
    d->close();
}

void TestVlanForm::deleteEntries_data()
{
    QTest::addColumn<QList<int>>("marked");     // rows clicked in the delete column
    QTest::addColumn<QList<int>>("remaining");  // VIDs afterwards
    QTest::addColumn<bool>("marksKept");
    QTest::newRow("second and fourth of five") << QList<int>{2, 4} << QList<int>{11, 33, 55} << false;
    QTest::newRow("first only") << QList<int>{1} << QList<int>{22, 33, 44, 55} << false;
    QTest::newRow("all marked: nothing") << QList<int>{1, 2, 3, 4, 5}
                                         << QList<int>{11, 22, 33, 44, 55} << true;
    QTest::newRow("none marked: nothing") << QList<int>{} << QList<int>{11, 22, 33, 44, 55} << true;
}

void TestVlanForm::deleteEntries()
{
    QFETCH(QList<int>, marked);
    QFETCH(QList<int>, remaining);
    QFETCH(bool, marksKept);
    VlanArray a;
    a.entries({entry(11, {0, 0, 0, 0, 0, 1}), entry(22, {1, 1, 1, 1, 1, 3}),
               entry(33, {2, 2, 2, 2, 2, 3}), entry(44, {3, 3, 3, 3, 3, 3}),
               entry(55, {0, 1, 2, 3, 0, 3})}).mode(1);
    const auto before = a.bytes;
    auto d = makeDialog(a);
    showGrid(*d);
    for (int row : marked)
        clickCell(*d, 7, row);
    QTest::mouseClick(d->Button2, Qt::LeftButton);

    QCOMPARE(int(d->vlanEntryCount()), remaining.size());
    QCOMPARE(d->StringGrid1->rowCount(), remaining.size() + 1);
    for (int i = 0; i < remaining.size(); ++i) {
        QCOMPARE(int(d->vlanPole()[vp_vid][i]), remaining[i]);
        QCOMPARE(d->StringGrid1->cellText(0, i + 1), QString::number(remaining[i]));
    }
    if (remaining.size() == 3) // the codes travel with their entry
        QCOMPARE(rowTexts(*d, 3), (QStringList{QStringLiteral("55"), kUnmodified, kUntagged, kTagged,
                                               kNotMember, kUnmodified, kNotMember, QString()}));
    for (int row : marked)
        QCOMPARE(d->StringGrid1->cellText(7, row), marksKept ? QStringLiteral("   X") : QString());
    QCOMPARE(a.bytes, before);
    d->close();
}

// ---- Set, Default, closing ----------------------------------------------------------

void TestVlanForm::refusedSetThenCancel()
{
    VlanArray a;
    a.cfg().set_pocet_vlan(0);
    auto d = makeDialog(a);
    QString boxText;
    ModalScript script{
        [&](QWidget*) {
            QTest::mouseClick(d->RadioGroup1->button(1), Qt::LeftButton);
            d->Edit2->setFocus();
            d->Edit2->selectAll();
            QTest::keyClicks(d->Edit2, QStringLiteral("9"));
            QTest::mouseClick(d->Button3, Qt::LeftButton);
        },
        [&](QWidget* w) { boxText = answerBox(w, QMessageBox::Close); },
        [&](QWidget* w) {
            QCOMPARE(w, static_cast<QWidget*>(d.get())); // still open
            QTest::mouseClick(d->Button4, Qt::LeftButton);
        }};
    QCOMPARE(d->exec(), 2);
    QVERIFY(script.finished());
    QCOMPARE(boxText, QStringLiteral("No VLAN to NMS port!"));
    // The refused press wrote the whole configuration before its checks.
    QCOMPARE(a.cfg().get_vlan_mode(), 1);
    QCOMPARE(a.cfg().get_Default_VID(port_line2), 9);
}

void TestVlanForm::setStopsAtFieldThatIsNoInteger()
{
    VlanArray a;
    auto d = makeDialog(a);
    QString boxText;
    ModalScript script{
        [&](QWidget*) {
            d->Edit2->setFocus();
            d->Edit2->selectAll();
            QTest::keyClicks(d->Edit2, QStringLiteral("5"));
            d->Edit3->setFocus();
            d->Edit3->selectAll();
            QTest::keyClick(d->Edit3, Qt::Key_Backspace);
            d->Edit4->setFocus();
            d->Edit4->selectAll();
            QTest::keyClicks(d->Edit4, QStringLiteral("6"));
            QTest::mouseClick(d->Button3, Qt::LeftButton);
        },
        [&](QWidget* w) { boxText = answerBox(w, QMessageBox::Close); },
        [&](QWidget*) { QTest::keyClick(d->Edit2, Qt::Key_Escape); }};
    QCOMPARE(d->exec(), 2);
    QVERIFY(script.finished());
    QCOMPARE(boxText, QStringLiteral("'''' is not a valid integer value"));
    QCOMPARE(a.cfg().get_Default_VID(port_line2), 5);
    QCOMPARE(a.cfg().get_Default_VID(port_line3), 1);
    QCOMPARE(a.cfg().get_Default_VID(port_line4), 1);
}

void TestVlanForm::setPassesMinusOneForTypedComboText()
{
    VlanArray a; // Disable mode: Set accepts once the VIDs are in range
    auto d = makeDialog(a);
    ModalScript script{[&](QWidget*) {
        for (QComboBox* box : {d->ComboBox2, d->ComboBox8, d->ComboBox14}) {
            box->setFocus();
            box->lineEdit()->selectAll();
            QTest::keyClicks(box, QStringLiteral("zz"));
        }
        QTest::mouseClick(d->Button3, Qt::LeftButton);
    }};
    QCOMPARE(d->exec(), 1);
    QVERIFY(script.finished());
    QCOMPARE(a.cfg().get_ingress_policy(port_line2), 1);
    QCOMPARE(a.cfg().get_ingress_policy(port_line3), 0);
    QCOMPARE(a.cfg().get_doubleTag_mode(port_line2), 1);
    QCOMPARE(a.cfg().get_provEth_type(), 3);
}

void TestVlanForm::defaultYesThenSet()
{
    VlanArray a;
    a.entries({entry(50, {1, 1, 1, 1, 1, 1})}).mode(2);
    a.cfg().set_Default_VID(port_nms, 50);
    auto d = makeDialog(a);
    QString question;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int questionsAsked = 0;
    ModalScript script{
        [&](QWidget*) {
            d->PageControl1->setCurrentIndex(2);
            clickBox(d->CheckBox13); // uplink moved to LINE 2
            QTest::mouseClick(d->Button5, Qt::LeftButton);
        },
        [&](QWidget* w) {
            if (auto* box = qobject_cast<QMessageBox*>(w)) {
                buttons = box->standardButtons();
                icon = box->icon();
            }
            ++questionsAsked;
            question = answerBox(w, QMessageBox::Yes);
        },
        [&](QWidget*) {
            // Reloaded from the default image at once.
            QCOMPARE(d->RadioGroup1->itemIndex(), 0);
            QCOMPARE(d->Edit7->text(), QStringLiteral("1"));
            QCOMPARE(d->StringGrid1->cellText(0, 1), QStringLiteral("1"));
            QVERIFY(d->CheckBox14->isChecked());
            QVERIFY(!d->CheckBox13->isChecked());
            QCOMPARE(d->windowTitle(), QStringLiteral("Local VLAN Configuration Dialog"));
            QTest::mouseClick(d->Button3, Qt::LeftButton);
        }};
    QCOMPARE(d->exec(), 1);
    QVERIFY(script.finished());
    QCOMPARE(questionsAsked, 1);
    QCOMPARE(question, QStringLiteral("All changes you have made will be lost.\n\rDo you want to proceed?"));
    QCOMPARE(buttons, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    QCOMPARE(icon, QMessageBox::Question);
    QCOMPARE(a.bytes, VlanConfigArray::defaultImage());
}

void TestVlanForm::defaultLooksUpNoCaptions()
{
    RecordingCatalogue cat;
    cat.values = {{QStringLiteral("proceed_changes"), QStringLiteral("Opravdu?")},
                  {QStringLiteral("line2_clmn"), QStringLiteral(" L2")}};
    VlanArray a;
    a.mode(1);
    auto d = makeDialog(a, {}, &cat);
    cat.values.insert(QStringLiteral("global_vlan"), QStringLiteral("&Zmeneno"));
    cat.values.insert(QStringLiteral("line3_clmn"), QStringLiteral(" L3"));
    cat.lookups.clear();
    QString question;
    ModalScript script{[&](QWidget* w) { question = answerBox(w, QMessageBox::Yes); }};
    d->show();
    QVERIFY(QTest::qWaitForWindowExposed(d.get()));
    QTest::mouseClick(d->Button5, Qt::LeftButton);
    QVERIFY(script.finished());
    QCOMPARE(question, QStringLiteral("Opravdu?"));
    const QStringList keys = cat.keys();
    QCOMPARE(keys.first(), QStringLiteral("proceed_changes"));
    QVERIFY(!keys.contains(QStringLiteral("global_vlan")));
    QVERIFY(!keys.contains(QStringLiteral("local__vlan_cfg_dlg")));
    // The reload looks up the grid's header row again, and only that changes.
    QCOMPARE(d->PageControl1->tabText(0), QStringLiteral("&Global VLAN"));
    QCOMPARE(d->StringGrid1->cellText(1, 0), QStringLiteral(" L2"));
    QCOMPARE(d->StringGrid1->cellText(2, 0), QStringLiteral(" L3"));
    QCOMPARE(d->RadioGroup1->itemIndex(), 0);
    d->close();
}

void TestVlanForm::defaultNotConfirmed_data()
{
    QTest::addColumn<int>("answer");
    QTest::newRow("No") << int(QMessageBox::No);
    QTest::newRow("Cancel") << int(QMessageBox::Cancel);
}

void TestVlanForm::defaultNotConfirmed()
{
    QFETCH(int, answer);
    VlanArray a;
    a.entries({entry(50, {1, 1, 1, 1, 1, 1})}).mode(1);
    const auto before = a.bytes;
    auto d = makeDialog(a);
    ModalScript script{
        [&](QWidget*) {
            d->Edit3->setFocus();
            d->Edit3->selectAll();
            QTest::keyClicks(d->Edit3, QStringLiteral("55"));
            QTest::mouseClick(d->Button5, Qt::LeftButton);
        },
        [&](QWidget* w) { answerBox(w, QMessageBox::StandardButton(answer)); },
        [&](QWidget*) { QTest::mouseClick(d->Button4, Qt::LeftButton); }};
    QCOMPARE(d->exec(), 2);
    QVERIFY(script.finished());
    QCOMPARE(a.bytes, before);
    QCOMPARE(d->Edit3->text(), QStringLiteral("55"));
    QCOMPARE(d->RadioGroup1->itemIndex(), 1);
    QCOMPARE(d->StringGrid1->cellText(0, 1), QStringLiteral("50"));
}

void TestVlanForm::closingWays_data()
{
    QTest::addColumn<QString>("way");
    for (const char* way : {"Cancel button", "Escape in a VID field", "Enter in a VID field",
                            "Enter in a combo box", "Enter on a check box", "Enter on the grid",
                            "close box"})
        QTest::newRow(way) << QString::fromLatin1(way);
}

void TestVlanForm::closingWays()
{
    QFETCH(QString, way);
    VlanArray a;
    a.mode(1);
    const auto before = a.bytes;
    auto d = makeDialog(a);
    QPointer<TVlan_form> alive(d.get());
    ModalScript script{[&](QWidget*) {
        d->Edit2->setFocus();
        QTest::keyClicks(d->Edit2, QStringLiteral("7")); // an edit that no Set reaches
        if (way == QLatin1String("Cancel button")) {
            QTest::mouseClick(d->Button4, Qt::LeftButton);
        } else if (way == QLatin1String("Escape in a VID field")) {
            QTest::keyClick(d->Edit2, Qt::Key_Escape);
        } else if (way == QLatin1String("Enter in a VID field")) {
            QTest::keyClick(d->Edit2, Qt::Key_Return);
        } else if (way == QLatin1String("Enter in a combo box")) {
            d->ComboBox3->setFocus();
            QTest::keyClick(d->ComboBox3, Qt::Key_Return);
        } else if (way == QLatin1String("Enter on a check box")) {
            d->CheckBox1->setFocus();
            QTest::keyClick(d->CheckBox1, Qt::Key_Enter);
        } else if (way == QLatin1String("Enter on the grid")) {
            d->PageControl1->setCurrentIndex(1);
            d->StringGrid1->setFocus();
            QTest::keyClick(d->StringGrid1, Qt::Key_Return);
        } else {
            d->close();
        }
    }};
    QCOMPARE(d->exec(), 2);
    QVERIFY(script.finished());
    QCOMPARE(a.bytes, before);
    // The dialog has no close handler of its own and does not delete itself.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(alive);
}

void TestVlanForm::twoDialogsKeepTheirOwnState()
{
    VlanArray first;
    first.entries({entry(10, {1, 1, 1, 1, 1, 1})}).mode(1);
    first.cfg().set_Default_VID(port_nms, 10);
    for (int p = 0; p < 5; ++p)
        first.cfg().set_Default_VID(tPortik(p), 10);
    VlanArray second;
    second.cfg().set_pocet_vlan(0);
    const auto secondBefore = second.bytes;
    Facts noLine4;
    noLine4.oduCapabilities = 0;
    auto d1 = makeDialog(first);
    auto d2 = makeDialog(second, noLine4);
    // The first dialog still has its own array, table and facts.
    QCOMPARE(int(d1->vlanEntryCount()), 1);
    QVERIFY(d1->hasLine4());
    ModalScript script{[&](QWidget*) { QTest::mouseClick(d1->Button3, Qt::LeftButton); }};
    QCOMPARE(d1->exec(), 1);
    QVERIFY(script.finished());
    QCOMPARE(second.bytes, secondBefore);
    QCOMPARE(first.cfg().get_pocet_vlan(), 1);
    QCOMPARE(int(d2->vlanEntryCount()), 0);
}

QTEST_MAIN(TestVlanForm)
#include "tst_vlan_form.moc"
