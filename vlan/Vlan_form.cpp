// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "vlan/Vlan_form.h"

#include "core/IniFile.h"
#include "core/Lookup.h"
#include "plugin/CaptionTables.h"
#include "ui/DesignLayout.h"
#include "ui/DialogCaptions.h"
#include "ui/DialogSkeleton.h"
#include "ui/DialogWindow.h"
#include "ui/DigitsOnly.h"
#include "ui/MessageBoxes.h"
#include "ui/PageScroll.h"
#include "ui/SystemColours.h"
#include "vlan/Unit3.h"
#include "core/VlanCommit.h"
#include "core/VlanDialogTexts.h"
#include "vlan/VlanAccessibility.h"

#include <QPointer>
#include <QSignalBlocker>

#include <algorithm>

// The dialog's own resources (its icon); outside any namespace, as the
// resource initialisers are declared there.
static void registerVlanResources()
{
    Q_INIT_RESOURCE(Vlan_form);
}

namespace {

// A message of the dialog's own handlers, looked up now.
QString message(const TIniFile* langIni, const VlanText& text)
{
    return lookup(langIni, QStringLiteral("VLAN"), QString::fromLatin1(text.key),
                  QString::fromLatin1(text.english));
}

} // namespace

TVlan_form::TVlan_form(QWidget* Owner, bool isLocal, TIniFile* langIni, unsigned char* cfgPole,
                       int* cfgSize, bool vlanActiveInEthernet, char modem2Present,
                       char onePlusZeroInactive, char modem2Mode, char oduCapabilities)
    : QDialog(Owner)
    , m_skeleton(std::make_unique<DialogSkeleton>(this))
{
    // 1. The window as designed.
    setupUi(this);
    m_skeleton->dress(QStringLiteral(":/vlan/icons/vlan_form.xpm"), registerVlanResources,
                     Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                     PageControl1);
    // The design's limits are those of the whole window; a classic frame
    // takes 8 pixels of the width and 34 of the height.
    setMinimumSize(kDesignWindowMinimum - kClassicFrame);
    m_skeleton->keepButtonsFitted({Button1, Button2, Button3, Button4, Button5});
    const int designWidths[8] = {36, 70, 70, 70, 70, 70, 70, 40};
    for (int c = 0; c < 8; ++c)
        StringGrid1->setColumnWidth(c, designWidths[c]);
    ComboBox14->setCurrentIndex(-1);
    ComboBox14->setEditText(QStringLiteral("0x88A8"));
    for (QLineEdit* edit : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        acceptDigitsOnly(edit);
    // Button4 (the form's default button) also cancels: Escape and Enter
    // outside another button end the dialog with 2.
    connectHandlers();

    // 2. The catalogue and the unit facts.
    m_langIni = langIni;
    m_modem2Present = modem2Present;
    m_modem2Mode = modem2Mode;
    m_hasLine4 = unitHasLine4(oduCapabilities);
    m_onePlusZeroInactive = onePlusZeroInactive;
    m_vlanActiveInEthernet = vlanActiveInEthernet;

    // 3-5. The size, the host's array, and the blank rule: a blank array is
    // replaced by the default image (VlanConfigArray::defaultImage()).
    *cfgSize = kVlanConfigSize;
    m_cfg = VlanConfigArray(cfgPole);
    m_cfg.applyBlankRule();

    // 6. Density, title and captions, then every control from the array.
    adjustToDensity();
    lookUpCaptions(isLocal);
    nastav_ovladaci_prvky();
    makeVlanDialogAccessible(*this);
    // The window opens at its designed size grown by the density factor, or
    // larger when the captions need it, within the screen.
    m_skeleton->place(QSize(), m_skeleton->clientMinimum(kDesignWindowMinimum, kClassicFrame));
}

TVlan_form::~TVlan_form() = default;

void TVlan_form::connectHandlers()
{
    connect(RadioGroup1, &RadioGroup::itemIndexChanged, this, [this] { RadioGroup1Click(RadioGroup1); });
    connect(CheckBox13, &QCheckBox::toggled, this, [this] { CheckBox13Click(CheckBox13); });
    connect(CheckBox14, &QCheckBox::toggled, this, [this] { CheckBox14Click(CheckBox14); });
    connect(CheckBox15, &QCheckBox::toggled, this, [this] { CheckBox15Click(CheckBox15); });
    connect(CheckBox16, &QCheckBox::toggled, this, [this] { CheckBox16Click(CheckBox16); });
    connect(CheckBox17, &QCheckBox::toggled, this, [this] { CheckBox17Click(CheckBox17); });
    connect(StringGrid1, &StringGrid::mouseReleased, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
                StringGrid1MouseUp(StringGrid1, button, modifiers, x, y);
            });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(Button2); });
    connect(Button3, &QPushButton::clicked, this, [this] { Button3Click(Button3); });
    connect(Button5, &QPushButton::clicked, this, [this] { Button5Click(Button5); });
    connect(Button4, &QPushButton::clicked, this, [this] { done(2); });
}

void TVlan_form::adjustToDensity()
{
    m_skeleton->scaleColumns(StringGrid1);
    // Rows 0 and 2 of the outer panel: the mode switch and the button strip.
    // The mode switch is inset by 3 pixels on every side of its row.
    const int row0 = m_skeleton->scaled(GridPanel1->rowMinimumHeight(0));
    const int row2 = m_skeleton->scaled(GridPanel1->rowMinimumHeight(2));
    GridPanel1->setRowMinimumHeight(0, row0);
    RadioGroup1->setFixedHeight(row0 - 6);
    GridPanel1->setRowMinimumHeight(2, row2);
    GridPanel6->setFixedHeight(row2);

    // The panels whose controls the form places at fixed positions follow
    // the density and their captions (see DesignLayout).
    for (QWidget* panel : {pageContent(TabSheet1), pageContent(TabSheet4), Panel4})
        new DesignLayout(panel, m_skeleton->density());
}

void TVlan_form::lookUpCaptions(bool isLocal)
{
    // The title of the unit this dialog edits, then every caption and list
    // item, in the order of the table.
    const char* unit = isLocal ? "local" : "remote";
    const CaptionPlaces places(this);
    for (const CaptionRow& row : vlanCaptionRows()) {
        if (row.kind != CaptionKind::Caption || isWrittenByLoading(row))
            continue;
        if (*row.unit && qstrcmp(row.unit, unit) != 0)
            continue;
        places.show(row, captionText(m_langIni, row));
    }
}

// ---- Loading ------------------------------------------------------------

void TVlan_form::nastav_ovladaci_prvky()
{
    const unsigned char mode = get_vlan_mode();
    // 1-2. The mode and its colours. A stored mode of 3 names no item; the
    // group then shows its last item, Double Tag, and the mode switch runs
    // for it as the selection changes. For modes 0 to 2 the switch need not
    // run here: steps 2 and 10 do its work with the new data.
    const int item = std::min<int>(mode, RadioGroup1->itemCount() - 1);
    {
        const QSignalBlocker loading(item == mode ? RadioGroup1 : nullptr);
        RadioGroup1->setItemIndex(item);
    }
    nastav_barvy(char(mode));

    // 3. Default VIDs.
    const std::array<QLineEdit*, 6> edits{Edit2, Edit3, Edit4, Edit5, Edit6, Edit7};
    for (int p = port_line2; p <= port_nms; ++p)
        edits[p]->setText(QString::number(get_Default_VID(tPortik(p))));

    // 4. Force Default VID.
    const std::array<QCheckBox*, 5> force{CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5};
    for (int p = port_line2; p <= port_modem2; ++p)
        force[p]->setChecked(get_force_DefVID(tPortik(p)) != 0);

    // 5. Ingress policy; NMS always admits all.
    const std::array<QComboBox*, 5> ingress{ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6};
    for (int p = port_line2; p <= port_modem2; ++p)
        ingress[p]->setCurrentIndex(get_ingress_policy(tPortik(p)));
    ComboBox7->setCurrentIndex(0);

    // 6-7. Remove one provider tag; provider EtherType.
    CheckBox6->setChecked(get_remove_1PT() != 0);
    ComboBox14->setCurrentIndex(get_provEth_type());

    // 8. Double tag mode of the LINE ports; the modems are always provider
    // ports and NMS a customer port.
    const std::array<QComboBox*, 3> doubleTag{ComboBox8, ComboBox9, ComboBox10};
    for (int p = port_line2; p <= port_line4; ++p)
        doubleTag[p]->setCurrentIndex(get_doubleTag_mode(tPortik(p)));
    ComboBox11->setCurrentIndex(1);
    ComboBox12->setCurrentIndex(1);
    ComboBox13->setCurrentIndex(0);

    // 9. The grid's header row.
    fillHeaderRow();

    // 10. The static VLAN table, rebuilt from the array.
    m_vlanPole = loadVlanPole(m_cfg);
    vlanCount = static_cast<unsigned short>(vlanPoleEntries(m_vlanPole));
    StringGrid1->setRowCount(vlanCount + 1);
    napln_mrizku(char(mode));

    // 11. The forwarding matrix; the NMS row's rules run as the boxes change.
    load_Port_FWD();

    // 12. The switch-wide options of byte 0.
    CheckBox19->setChecked(m_cfg.disableLearning());
    CheckBox20->setChecked(m_cfg.bpduPriorityOverride());
    CheckBox21->setChecked(m_cfg.lacpPriorityOverride());
}

void TVlan_form::fillHeaderRow()
{
    // Column 0 is never looked up; the other headings come from the table.
    StringGrid1->setCellText(0, 0, QStringLiteral(" VID"));
    for (const CaptionRow& row : vlanCaptionRows())
        if (row.kind == CaptionKind::Caption && isWrittenByLoading(row))
            showCaption(this, row, captionText(m_langIni, row));
}

bool TVlan_form::modem2Usable() const
{
    return unitModem2Usable(m_modem2Present, m_modem2Mode);
}

void TVlan_form::nastav_barvy(char mode)
{
    if (mode < 0 || mode > 2)
        return;
    const bool on = mode != 0;       // applies in Single and Double Tag
    const bool doubleTag = mode == 2; // applies in Double Tag only
    const bool line4 = on && m_hasLine4;
    const bool modem2 = on && modem2Usable();

    for (QLabel* label : {Label3, Label4, Label6, Label8, Label9, Label10, Label11, Label1, Label14,
                          Label16, Label17, Label18, Label20, Label22})
        label->setEnabled(on);
    for (QLabel* label : {Label5, Label19})
        label->setEnabled(line4);
    for (QLabel* label : {Label7, Label15, Label21})
        label->setEnabled(modem2);
    for (QLabel* label : {Label12, Label13, Label2})
        label->setEnabled(doubleTag);

    m_colouredMode = mode;
    colourFields();
}

// The colours come from the dialog's palette, so they are worked out again
// whenever it changes (a theme, a host's palette, a style of its own).
void TVlan_form::colourFields()
{
    if (m_colouredMode < 0)
        return;
    const bool on = m_colouredMode != 0;
    const bool doubleTag = m_colouredMode == 2;
    const bool line4 = on && m_hasLine4;
    const bool modem2 = on && modem2Usable();
    const QColor window = systemColour(SystemColour::Window, palette());
    const QColor inactive = systemColour(SystemColour::InactiveCaption, palette());
    for (QWidget* field : {static_cast<QWidget*>(Edit2), static_cast<QWidget*>(Edit3),
                           static_cast<QWidget*>(Edit5), static_cast<QWidget*>(Edit7)})
        setFieldColour(field, on ? window : inactive);
    setFieldColour(Edit4, line4 ? window : inactive);
    setFieldColour(Edit6, modem2 ? window : inactive);
    for (QComboBox* box : {ComboBox2, ComboBox3, ComboBox4, ComboBox5, ComboBox6, ComboBox7})
        setFieldColour(box, on ? window : inactive);
    for (QComboBox* box : {ComboBox8, ComboBox9, ComboBox10, ComboBox11, ComboBox12, ComboBox13,
                           ComboBox14})
        setFieldColour(box, doubleTag ? window : inactive);
}

void TVlan_form::RadioGroup1Click(QObject*)
{
    const int m = RadioGroup1->itemIndex();
    napln_mrizku(char(m));
    nastav_barvy(char(m));
}

// ---- The NMS row of the forwarding matrix -----------------------------------

void TVlan_form::CheckBox13Click(QObject*)
{
    if (CheckBox13->isChecked()) {
        CheckBox14->setChecked(false);
        CheckBox15->setChecked(false);
    } else if (!CheckBox14->isChecked() && !CheckBox15->isChecked()) {
        CheckBox13->setChecked(true);
    }
}

void TVlan_form::CheckBox14Click(QObject*)
{
    if (CheckBox14->isChecked()) {
        CheckBox13->setChecked(false);
        CheckBox15->setChecked(false);
    } else if (!CheckBox13->isChecked() && !CheckBox15->isChecked()) {
        CheckBox14->setChecked(true);
    }
}

void TVlan_form::CheckBox15Click(QObject*)
{
    if (!m_hasLine4) {
        CheckBox15->setChecked(false);
        return;
    }
    if (CheckBox15->isChecked()) {
        CheckBox13->setChecked(false);
        CheckBox14->setChecked(false);
    } else if (!CheckBox13->isChecked() && !CheckBox14->isChecked()) {
        CheckBox15->setChecked(true);
    }
}

void TVlan_form::CheckBox16Click(QObject*)
{
    if (CheckBox16->isChecked())
        CheckBox17->setChecked(false);
}

void TVlan_form::CheckBox17Click(QObject*)
{
    if (CheckBox17->isChecked())
        CheckBox16->setChecked(false);
}

std::array<QCheckBox*, kPortForwardingBoxes> TVlan_form::portForwardingBoxes() const
{
    return {CheckBox7, CheckBox8, CheckBox9, CheckBox10, CheckBox11, CheckBox12,
            CheckBox13, CheckBox14, CheckBox15, CheckBox16, CheckBox17, CheckBox18};
}

void TVlan_form::load_Port_FWD()
{
    const PortForwarding bits = m_cfg.portForwarding();
    const auto boxes = portForwardingBoxes();
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        boxes[i]->setChecked(bits[i]);
}

void TVlan_form::save_Port_FWD()
{
    PortForwarding bits{};
    const auto boxes = portForwardingBoxes();
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        bits[i] = boxes[i]->isChecked();
    m_cfg.setPortForwarding(bits);
}

// ---- Static VLAN table --------------------------------------------------

void TVlan_form::cfgPole2vlanPole(unsigned short n)
{
    unpackVlanPole(m_cfg, m_vlanPole, n);
}

void TVlan_form::vlanPole2cfgPole(unsigned short n)
{
    packVlanPole(m_vlanPole, n, m_cfg);
}

void TVlan_form::napln_mrizku(char mode)
{
    const MembershipTexts texts = lookupMembershipTexts(m_langIni);
    const int entries = std::min<int>(vlanCount, vlanPoleEntries(m_vlanPole));
    for (int i = 0; i < entries; ++i) {
        const int row = i + 1;
        StringGrid1->setCellText(0, row, QString::number(m_vlanPole[vp_vid][i]));
        for (int c = vp_line2; c <= vp_nms; ++c)
            StringGrid1->setCellText(c, row, membershipCellText(m_vlanPole[c][i], c, mode, texts));
        StringGrid1->setCellText(vp_mark, row, QString());
    }
    StringGrid1->widenColumnsToTexts();
}

bool TVlan_form::VID_uz_existuje(short vid) const
{
    return vidExists(m_vlanPole, vid);
}

bool TVlan_form::askForNewVid(short initialVid, short& vid)
{
    // The entry dialog and the error box are children of this dialog on the
    // heap: a host that destroys this dialog while either is open takes them
    // with it, and then nothing here may touch this dialog again.
    const QPointer<TVlan_form> alive(this);
    for (;;) {
        short typed = 0;
        const QPointer<TForm3> entry = new TForm3(this, m_langIni, initialVid, &typed);
        const int result = entry->exec();
        if (!alive)
            return false;
        delete entry;
        if (result != 1)
            return false;
        if (!VID_uz_existuje(typed)) {
            vid = typed;
            return true;
        }
        if (showErrorClose(this, message(m_langIni, kVidExistsText)) == QMessageBox::NoButton)
            return false;
    }
}

void TVlan_form::StringGrid1MouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y)
{
    const MembershipTexts texts = lookupMembershipTexts(m_langIni);
    const std::optional<StringGrid::Cell> cell = StringGrid1->cellAt(QPoint(X, Y));
    if (!cell)
        return;
    const int col = cell->col;
    const int row = cell->row;
    const int entry = row - 1;

    // The delete column, any row but the header.
    if (col == vp_mark) {
        if (row >= 1 && entry < vlanPoleEntries(m_vlanPole)) {
            const bool marked = toggleDeleteMark(m_vlanPole, entry);
            StringGrid1->setCellText(col, row, deleteMarkCellText(marked ? 1 : 0));
        }
        return;
    }
    if (row < 1 || row > vlanCount || col < 0 || col > vp_nms)
        return;

    if (col == vp_vid) {
        short vid = 0;
        if (!askForNewVid(m_vlanPole[vp_vid][entry], vid))
            return;
        m_vlanPole[vp_vid][entry] = vid;
        StringGrid1->setCellText(col, row, QString::number(vid));
        return;
    }

    const int mode = RadioGroup1->itemIndex();
    for (const VlanPoleChange& change : clickMembershipCell(m_vlanPole, entry, col, mode))
        StringGrid1->setCellText(change.column, change.entry + 1,
                                 membershipCellText(change.code, change.column, mode, texts));
}

void TVlan_form::Button1Click(QObject*)
{
    if (!canAddEntry(m_vlanPole)) {
        showErrorClose(this, message(m_langIni, kNoMoreEntriesText));
        return;
    }
    short vid = 0;
    if (!askForNewVid(suggestedNewVid(m_vlanPole), vid))
        return;
    m_vlanPole = withNewEntry(m_vlanPole, vid);
    vlanCount = static_cast<unsigned short>(vlanPoleEntries(m_vlanPole));
    StringGrid1->setRowCount(vlanCount + 1);
    napln_mrizku(char(RadioGroup1->itemIndex()));
}

void TVlan_form::Button2Click(QObject*)
{
    std::optional<VlanPole> rest = withoutMarkedEntries(m_vlanPole);
    if (!rest)
        return;
    m_vlanPole = std::move(*rest);
    vlanCount = static_cast<unsigned short>(vlanPoleEntries(m_vlanPole));
    StringGrid1->setRowCount(vlanCount + 1);
    napln_mrizku(char(RadioGroup1->itemIndex()));
}

// ---- Set, Default, closing ---------------------------------------------------

int TVlan_form::selectedItem(const QComboBox* box)
{
    const int index = box->currentIndex();
    if (index >= 0 && box->itemText(index) == box->currentText())
        return index;
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TVlan_form::Button3Click(QObject*)
{
    VlanCommitInput in;
    in.defaultVidTexts = {Edit2->text(), Edit3->text(), Edit4->text(),
                          Edit5->text(), Edit6->text(), Edit7->text()};
    in.forceDefVid = {CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked(),
                      CheckBox4->isChecked(), CheckBox5->isChecked()};
    in.ingressPolicy = {selectedItem(ComboBox2), selectedItem(ComboBox3), selectedItem(ComboBox4),
                        selectedItem(ComboBox5), selectedItem(ComboBox6)};
    in.doubleTagMode = {selectedItem(ComboBox8), selectedItem(ComboBox9), selectedItem(ComboBox10)};
    in.remove1PT = CheckBox6->isChecked();
    in.vlanMode = RadioGroup1->itemIndex();
    in.provEthType = selectedItem(ComboBox14);
    const auto boxes = portForwardingBoxes();
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        in.portForwarding[i] = boxes[i]->isChecked();
    in.disableLearning = CheckBox19->isChecked();
    in.bpduPriorityOverride = CheckBox20->isChecked();
    in.lacpPriorityOverride = CheckBox21->isChecked();
    in.table = m_vlanPole;
    in.vlanCount = vlanCount;
    in.facts.hasLine4 = m_hasLine4;
    in.facts.onePlusZeroInactive = m_onePlusZeroInactive != 0;
    in.facts.vlanActiveInEthernet = m_vlanActiveInEthernet;

    const VlanCommitResult set = commitVlanSettings(in, m_cfg);
    if (set) {
        done(1);
        return;
    }
    showErrorClose(this, vlanCommitRefusalText(set.error(), m_langIni));
}

void TVlan_form::Button5Click(QObject*)
{
    const QString question = message(m_langIni, kProceedChangesText);
    // NoButton: the host destroyed the dialog while the box was open.
    if (askYesNoCancel(this, question) != QMessageBox::Yes)
        return;
    m_cfg.writeDefaultImage();
    nastav_ovladaci_prvky();
}

void TVlan_form::reject()
{
    done(2);
}

void TVlan_form::done(int result)
{
    // The host may delete the dialog from accepted(), rejected() or finished().
    endDialog(this, result);
}

void TVlan_form::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::PaletteChange || event->type() == QEvent::StyleChange)
        colourFields();
}

void TVlan_form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_skeleton->shown();
}
