// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "vlan/Vlan_form.h"

#include "core/IniFile.h"
#include "core/Lookup.h"
#include "core/CaptionTables.h"
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
#include "core/VlanRules.h"

#include <QPointer>
#include <QScopedValueRollback>
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

// What the dialog keeps besides its controls, and its own helpers.
class TVlan_formPrivate
{
public:
    explicit TVlan_formPrivate(TVlan_form& form)
        : q(form)
        , skeleton(&form)
    {
    }

    void connectHandlers();
    void adjustToDensity();
    void lookUpCaptions(bool isLocal);
    void fillHeaderRow();
    // The field colours of the mode last coloured, from the current palette.
    void colourFields();
    // Asks for a VID in the VID entry dialog until the user cancels or types
    // one that no entry holds; false when cancelled.
    bool askForNewVid(short initialVid, short& vid);
    std::array<QCheckBox*, kPortForwardingBoxes> portForwardingBoxes() const;
    PortForwarding shownForwarding() const;
    // Shows the boxes; their rules, run already, do not run again.
    void showForwarding(const PortForwarding& boxes);
    // A forwarding box has changed its state: its rule runs on the boxes.
    void forwardingBoxChanged(int box);
    // The selected item of a combo box, or -1 when its typed text names none.
    static int selectedItem(const QComboBox* box);

    // The whole window's least size, frame included (the designed client
    // area, 384 high, is smaller than that), and the frame a classic desktop
    // gives it, for when the platform has not told the frame yet.
    static QSize designWindowMinimum() { return {478, 388}; }
    static QSize classicFrame() { return {8, 34}; }

    TVlan_form& q;
    // The window set-up all dialogs share.
    DialogSkeleton skeleton;

    VlanConfigArray cfg;
    TIniFile* langIni = nullptr;
    bool vlanActiveInEthernet = false;
    char modem2Present = 0;
    char onePlusZeroInactive = 0;
    char modem2Mode = 0;
    bool hasLine4 = false;
    int colouredMode = -1; // none yet
    VlanPole vlanPole;
    unsigned short vlanCount = 0;
    // Set while the forwarding boxes show the outcome of a rule.
    bool showingForwarding = false;
};

// A host compiles the size of the dialog into its code (new TVlan_form): the
// class holds its bases and the pointer d, nothing else.
static_assert(sizeof(TVlan_form) == sizeof(QDialog) + sizeof(Ui::TVlan_form) + sizeof(void*),
              "TVlan_form keeps its state behind d");

TVlan_form::TVlan_form(QWidget* Owner, bool isLocal, TIniFile* langIni, unsigned char* cfgPole,
                       int* cfgSize, bool vlanActiveInEthernet, char modem2Present,
                       char onePlusZeroInactive, char modem2Mode, char oduCapabilities)
    : QDialog(Owner)
    , d(std::make_unique<TVlan_formPrivate>(*this))
{
    // 1. The window as designed.
    setupUi(this);
    d->skeleton.dress(QStringLiteral(":/vlan/icons/vlan_form.xpm"), registerVlanResources,
                      Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint,
                      PageControl1);
    // The design's limits are those of the whole window; a classic frame
    // takes 8 pixels of the width and 34 of the height.
    setMinimumSize(TVlan_formPrivate::designWindowMinimum() - TVlan_formPrivate::classicFrame());
    d->skeleton.keepButtonsFitted({Button1, Button2, Button3, Button4, Button5});
    const int designWidths[8] = {36, 70, 70, 70, 70, 70, 70, 40};
    for (int c = 0; c < 8; ++c)
        StringGrid1->setColumnWidth(c, designWidths[c]);
    ComboBox14->setCurrentIndex(-1);
    ComboBox14->setEditText(QStringLiteral("0x88A8"));
    for (QLineEdit* edit : {Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        acceptDigitsOnly(edit);
    // The forwarding boxes as designed, before their rules are connected.
    const PortForwarding designed = designedPortForwarding();
    const auto boxes = d->portForwardingBoxes();
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        boxes[i]->setChecked(designed[i]);
    // Button4 (the form's default button) also cancels: Escape and Enter
    // outside another button end the dialog with 2.
    d->connectHandlers();

    // 2. The catalogue and the unit facts.
    d->langIni = langIni;
    d->modem2Present = modem2Present;
    d->modem2Mode = modem2Mode;
    d->hasLine4 = unitHasLine4(oduCapabilities);
    d->onePlusZeroInactive = onePlusZeroInactive;
    d->vlanActiveInEthernet = vlanActiveInEthernet;

    // 3-5. The size, the host's array, and the blank rule: a blank array is
    // replaced by the default image (VlanConfigArray::defaultImage()).
    *cfgSize = kVlanConfigSize;
    d->cfg = VlanConfigArray(cfgPole);
    d->cfg.applyBlankRule();

    // 6. Density, title and captions, then every control from the array.
    d->adjustToDensity();
    d->lookUpCaptions(isLocal);
    nastav_ovladaci_prvky();
    makeVlanDialogAccessible(*this);
    // The window opens at its designed size grown by the density factor, or
    // larger when the captions need it, within the screen.
    d->skeleton.place(QSize(), d->skeleton.clientMinimum(TVlan_formPrivate::designWindowMinimum(),
                                                         TVlan_formPrivate::classicFrame()));
}

TVlan_form::~TVlan_form()
{
    // What d holds goes first; no control's signal may reach a handler then.
    for (QObject* control : std::initializer_list<QObject*>{RadioGroup1, CheckBox13, CheckBox14, CheckBox15,
                                                            CheckBox16, CheckBox17, StringGrid1, Button1,
                                                            Button2, Button3, Button4, Button5})
        disconnect(control, nullptr, this, nullptr);
}

void TVlan_formPrivate::connectHandlers()
{
    TVlan_form* const f = &q;
    QObject::connect(f->RadioGroup1, &RadioGroup::itemIndexChanged, f, [f] { f->RadioGroup1Click(f->RadioGroup1); });
    QObject::connect(f->CheckBox13, &QCheckBox::toggled, f, [f] { f->CheckBox13Click(f->CheckBox13); });
    QObject::connect(f->CheckBox14, &QCheckBox::toggled, f, [f] { f->CheckBox14Click(f->CheckBox14); });
    QObject::connect(f->CheckBox15, &QCheckBox::toggled, f, [f] { f->CheckBox15Click(f->CheckBox15); });
    QObject::connect(f->CheckBox16, &QCheckBox::toggled, f, [f] { f->CheckBox16Click(f->CheckBox16); });
    QObject::connect(f->CheckBox17, &QCheckBox::toggled, f, [f] { f->CheckBox17Click(f->CheckBox17); });
    QObject::connect(f->StringGrid1, &StringGrid::mouseReleased, f,
                     [f](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y) {
                         f->StringGrid1MouseUp(f->StringGrid1, button, modifiers, x, y);
                     });
    QObject::connect(f->Button1, &QPushButton::clicked, f, [f] { f->Button1Click(f->Button1); });
    QObject::connect(f->Button2, &QPushButton::clicked, f, [f] { f->Button2Click(f->Button2); });
    QObject::connect(f->Button3, &QPushButton::clicked, f, [f] { f->Button3Click(f->Button3); });
    QObject::connect(f->Button5, &QPushButton::clicked, f, [f] { f->Button5Click(f->Button5); });
    QObject::connect(f->Button4, &QPushButton::clicked, f, [f] { f->done(2); });
}

void TVlan_formPrivate::adjustToDensity()
{
    skeleton.scaleColumns(q.StringGrid1);
    // Rows 0 and 2 of the outer panel: the mode switch and the button strip.
    // The mode switch is inset by 3 pixels on every side of its row.
    const int row0 = skeleton.scaled(q.GridPanel1->rowMinimumHeight(0));
    const int row2 = skeleton.scaled(q.GridPanel1->rowMinimumHeight(2));
    q.GridPanel1->setRowMinimumHeight(0, row0);
    q.RadioGroup1->setFixedHeight(row0 - 6);
    q.GridPanel1->setRowMinimumHeight(2, row2);
    q.GridPanel6->setFixedHeight(row2);

    // The panels whose controls the form places at fixed positions follow
    // the density and their captions (see DesignLayout).
    for (QWidget* panel : {pageContent(q.TabSheet1), pageContent(q.TabSheet4), static_cast<QWidget*>(q.Panel4)})
        new DesignLayout(panel, skeleton.density());
}

void TVlan_formPrivate::lookUpCaptions(bool isLocal)
{
    // The title of the unit this dialog edits, then every caption and list
    // item, in the order of the table.
    const char* unit = isLocal ? "local" : "remote";
    const CaptionPlaces places(&q);
    for (const CaptionRow& row : CaptionTables::vlan()) {
        if (row.kind != CaptionKind::Caption || isWrittenByLoading(row))
            continue;
        if (*row.unit && qstrcmp(row.unit, unit) != 0)
            continue;
        places.show(row, captionText(langIni, row));
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
    d->fillHeaderRow();

    // 10. The static VLAN table, rebuilt from the array.
    d->vlanPole = loadVlanPole(d->cfg);
    d->vlanCount = static_cast<unsigned short>(vlanPoleEntries(d->vlanPole));
    StringGrid1->setRowCount(d->vlanCount + 1);
    napln_mrizku(char(mode));

    // 11. The forwarding matrix; the NMS row's rules run as the boxes change.
    load_Port_FWD();

    // 12. The switch-wide options of byte 0.
    CheckBox19->setChecked(d->cfg.disableLearning());
    CheckBox20->setChecked(d->cfg.bpduPriorityOverride());
    CheckBox21->setChecked(d->cfg.lacpPriorityOverride());
}

void TVlan_formPrivate::fillHeaderRow()
{
    // Column 0 is never looked up; the other headings come from the table.
    q.StringGrid1->setCellText(0, 0, QStringLiteral(" VID"));
    for (const CaptionRow& row : CaptionTables::vlan())
        if (row.kind == CaptionKind::Caption && isWrittenByLoading(row))
            showCaption(&q, row, captionText(langIni, row));
}

bool TVlan_form::hasLine4() const
{
    return d->hasLine4;
}

bool TVlan_form::modem2Usable() const
{
    return unitModem2Usable(d->modem2Present, d->modem2Mode);
}

void TVlan_form::nastav_barvy(char mode)
{
    const std::optional<VlanFieldsInMode> applying = vlanFieldsInMode(mode, d->hasLine4, modem2Usable());
    if (!applying)
        return;
    for (QLabel* label : {Label3, Label4, Label6, Label8, Label9, Label10, Label11, Label1, Label14,
                          Label16, Label17, Label18, Label20, Label22})
        label->setEnabled(applying->tagged);
    for (QLabel* label : {Label5, Label19})
        label->setEnabled(applying->line4);
    for (QLabel* label : {Label7, Label15, Label21})
        label->setEnabled(applying->modem2);
    for (QLabel* label : {Label12, Label13, Label2})
        label->setEnabled(applying->doubleTag);

    d->colouredMode = mode;
    d->colourFields();
}

// The colours come from the dialog's palette, so they are worked out again
// whenever it changes (a theme, a host's palette, a style of its own).
void TVlan_formPrivate::colourFields()
{
    const std::optional<VlanFieldsInMode> applying = vlanFieldsInMode(colouredMode, hasLine4, q.modem2Usable());
    if (!applying)
        return;
    const QColor window = systemColour(SystemColour::Window, q.palette());
    const QColor inactive = systemColour(SystemColour::InactiveCaption, q.palette());
    const auto colour = [&](bool applies) { return applies ? window : inactive; };
    for (QWidget* field : {static_cast<QWidget*>(q.Edit2), static_cast<QWidget*>(q.Edit3),
                           static_cast<QWidget*>(q.Edit5), static_cast<QWidget*>(q.Edit7)})
        setFieldColour(field, colour(applying->tagged));
    setFieldColour(q.Edit4, colour(applying->line4));
    setFieldColour(q.Edit6, colour(applying->modem2));
    for (QComboBox* box : {q.ComboBox2, q.ComboBox3, q.ComboBox4, q.ComboBox5, q.ComboBox6, q.ComboBox7})
        setFieldColour(box, colour(applying->tagged));
    for (QComboBox* box : {q.ComboBox8, q.ComboBox9, q.ComboBox10, q.ComboBox11, q.ComboBox12, q.ComboBox13,
                           q.ComboBox14})
        setFieldColour(box, colour(applying->doubleTag));
}

void TVlan_form::RadioGroup1Click(QObject*)
{
    const int m = RadioGroup1->itemIndex();
    napln_mrizku(char(m));
    nastav_barvy(char(m));
}

// ---- The NMS row of the forwarding matrix -----------------------------------
// The rules are the core's (core/VlanRules.h): each handler hands the boxes
// to them and shows what they give.

void TVlan_form::CheckBox13Click(QObject*) { d->forwardingBoxChanged(kFwdNmsLine2); }
void TVlan_form::CheckBox14Click(QObject*) { d->forwardingBoxChanged(kFwdNmsLine3); }
void TVlan_form::CheckBox15Click(QObject*) { d->forwardingBoxChanged(kFwdNmsLine4); }
void TVlan_form::CheckBox16Click(QObject*) { d->forwardingBoxChanged(kFwdNmsModem1); }
void TVlan_form::CheckBox17Click(QObject*) { d->forwardingBoxChanged(kFwdNmsModem2); }

std::array<QCheckBox*, kPortForwardingBoxes> TVlan_formPrivate::portForwardingBoxes() const
{
    return {q.CheckBox7, q.CheckBox8, q.CheckBox9, q.CheckBox10, q.CheckBox11, q.CheckBox12,
            q.CheckBox13, q.CheckBox14, q.CheckBox15, q.CheckBox16, q.CheckBox17, q.CheckBox18};
}

PortForwarding TVlan_formPrivate::shownForwarding() const
{
    PortForwarding bits{};
    const auto boxes = portForwardingBoxes();
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        bits[i] = boxes[i]->isChecked();
    return bits;
}

void TVlan_formPrivate::showForwarding(const PortForwarding& bits)
{
    // The boxes still tell whoever listens that they changed; only their
    // rules, which gave these states, stay quiet.
    const QScopedValueRollback showing(showingForwarding, true);
    const auto boxes = portForwardingBoxes();
    for (int i = 0; i < kPortForwardingBoxes; ++i)
        boxes[i]->setChecked(bits[i]);
}

void TVlan_formPrivate::forwardingBoxChanged(int box)
{
    if (showingForwarding)
        return;
    showForwarding(afterForwardingBoxChanged(shownForwarding(), box, hasLine4));
}

void TVlan_form::load_Port_FWD()
{
    d->showForwarding(portForwardingLoaded(d->shownForwarding(), d->cfg.portForwarding(), d->hasLine4));
}

void TVlan_form::save_Port_FWD()
{
    d->cfg.setPortForwarding(d->shownForwarding());
}

// ---- The array's accessors ------------------------------------------------

void TVlan_form::set_cfg_pole_version(unsigned char v) { d->cfg.set_cfg_pole_version(v); }
unsigned char TVlan_form::get_ingress_policy(tPortik p) const { return d->cfg.get_ingress_policy(p); }
void TVlan_form::set_ingress_policy(tPortik p, char v) { d->cfg.set_ingress_policy(p, v); }
unsigned char TVlan_form::get_remove_1PT() const { return d->cfg.get_remove_1PT(); }
void TVlan_form::set_remove_1PT(char v) { d->cfg.set_remove_1PT(v); }
unsigned char TVlan_form::get_vlan_mode() const { return d->cfg.get_vlan_mode(); }
void TVlan_form::set_vlan_mode(char v) { d->cfg.set_vlan_mode(v); }
unsigned char TVlan_form::get_force_DefVID(tPortik p) const { return d->cfg.get_force_DefVID(p); }
void TVlan_form::set_force_DefVID(tPortik p, char v) { d->cfg.set_force_DefVID(p, v); }
unsigned char TVlan_form::get_doubleTag_mode(tPortik p) const { return d->cfg.get_doubleTag_mode(p); }
void TVlan_form::set_doubleTag_mode(tPortik p, char v) { d->cfg.set_doubleTag_mode(p, v); }
unsigned char TVlan_form::get_provEth_type() const { return d->cfg.get_provEth_type(); }
void TVlan_form::set_provEth_type(char v) { d->cfg.set_provEth_type(v); }
unsigned short TVlan_form::get_Default_VID(tPortik p) const { return d->cfg.get_Default_VID(p); }
void TVlan_form::set_Default_VID(tPortik p, unsigned short vid) { d->cfg.set_Default_VID(p, vid); }
unsigned short TVlan_form::get_pocet_vlan() const { return d->cfg.get_pocet_vlan(); }
void TVlan_form::set_pocet_vlan(unsigned short n) { d->cfg.set_pocet_vlan(n); }

// ---- Static VLAN table --------------------------------------------------

const VlanPole& TVlan_form::vlanPole() const
{
    return d->vlanPole;
}

unsigned short TVlan_form::vlanEntryCount() const
{
    return d->vlanCount;
}

void TVlan_form::cfgPole2vlanPole(unsigned short n)
{
    unpackVlanPole(d->cfg, d->vlanPole, n);
}

void TVlan_form::vlanPole2cfgPole(unsigned short n)
{
    packVlanPole(d->vlanPole, n, d->cfg);
}

void TVlan_form::napln_mrizku(char mode)
{
    const MembershipTexts texts = lookupMembershipTexts(d->langIni);
    const int entries = std::min<int>(d->vlanCount, vlanPoleEntries(d->vlanPole));
    for (int i = 0; i < entries; ++i) {
        const int row = i + 1;
        StringGrid1->setCellText(0, row, QString::number(d->vlanPole[vp_vid][i]));
        for (int c = vp_line2; c <= vp_nms; ++c)
            StringGrid1->setCellText(c, row, membershipCellText(d->vlanPole[c][i], c, mode, texts));
        StringGrid1->setCellText(vp_mark, row, QString());
    }
    StringGrid1->widenColumnsToTexts();
}

bool TVlan_form::VID_uz_existuje(short vid) const
{
    return vidExists(d->vlanPole, vid);
}

bool TVlan_formPrivate::askForNewVid(short initialVid, short& vid)
{
    // The entry dialog and the error box are children of this dialog on the
    // heap: a host that destroys this dialog while either is open takes them
    // with it, and then nothing here may touch this dialog again.
    const QPointer<TVlan_form> alive(&q);
    for (;;) {
        short typed = 0;
        const QPointer<TForm3> entry = new TForm3(&q, langIni, initialVid, &typed);
        const int result = entry->exec();
        if (!alive)
            return false;
        delete entry;
        if (result != 1)
            return false;
        if (!q.VID_uz_existuje(typed)) {
            vid = typed;
            return true;
        }
        if (showErrorClose(&q, message(langIni, kVidExistsText)) == QMessageBox::NoButton)
            return false;
    }
}

void TVlan_form::StringGrid1MouseUp(QObject*, Qt::MouseButton, Qt::KeyboardModifiers, int X, int Y)
{
    const MembershipTexts texts = lookupMembershipTexts(d->langIni);
    const std::optional<StringGrid::Cell> cell = StringGrid1->cellAt(QPoint(X, Y));
    if (!cell)
        return;
    const int col = cell->col;
    const int row = cell->row;
    const int entry = row - 1;
    VlanPole& pole = d->vlanPole;

    // The delete column, any row but the header.
    if (col == vp_mark) {
        if (row >= 1 && entry < vlanPoleEntries(pole)) {
            const bool marked = toggleDeleteMark(pole, entry);
            StringGrid1->setCellText(col, row, deleteMarkCellText(marked ? 1 : 0));
        }
        return;
    }
    if (row < 1 || row > d->vlanCount || col < 0 || col > vp_nms)
        return;

    if (col == vp_vid) {
        short vid = 0;
        if (!d->askForNewVid(pole[vp_vid][entry], vid))
            return;
        pole[vp_vid][entry] = vid;
        StringGrid1->setCellText(col, row, QString::number(vid));
        return;
    }

    const int mode = RadioGroup1->itemIndex();
    for (const VlanPoleChange& change : clickMembershipCell(pole, entry, col, mode))
        StringGrid1->setCellText(change.column, change.entry + 1,
                                 membershipCellText(change.code, change.column, mode, texts));
}

void TVlan_form::Button1Click(QObject*)
{
    if (!canAddEntry(d->vlanPole)) {
        showErrorClose(this, message(d->langIni, kNoMoreEntriesText));
        return;
    }
    short vid = 0;
    if (!d->askForNewVid(suggestedNewVid(d->vlanPole), vid))
        return;
    d->vlanPole = withNewEntry(d->vlanPole, vid);
    d->vlanCount = static_cast<unsigned short>(vlanPoleEntries(d->vlanPole));
    StringGrid1->setRowCount(d->vlanCount + 1);
    napln_mrizku(char(RadioGroup1->itemIndex()));
}

void TVlan_form::Button2Click(QObject*)
{
    std::optional<VlanPole> rest = withoutMarkedEntries(d->vlanPole);
    if (!rest)
        return;
    d->vlanPole = std::move(*rest);
    d->vlanCount = static_cast<unsigned short>(vlanPoleEntries(d->vlanPole));
    StringGrid1->setRowCount(d->vlanCount + 1);
    napln_mrizku(char(RadioGroup1->itemIndex()));
}

// ---- Set, Default, closing ---------------------------------------------------

int TVlan_formPrivate::selectedItem(const QComboBox* box)
{
    const int index = box->currentIndex();
    if (index >= 0 && box->itemText(index) == box->currentText())
        return index;
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

void TVlan_form::Button3Click(QObject*)
{
    const auto selected = &TVlan_formPrivate::selectedItem;
    VlanCommitInput in;
    in.defaultVidTexts = {Edit2->text(), Edit3->text(), Edit4->text(),
                          Edit5->text(), Edit6->text(), Edit7->text()};
    in.forceDefVid = {CheckBox1->isChecked(), CheckBox2->isChecked(), CheckBox3->isChecked(),
                      CheckBox4->isChecked(), CheckBox5->isChecked()};
    in.ingressPolicy = {selected(ComboBox2), selected(ComboBox3), selected(ComboBox4),
                        selected(ComboBox5), selected(ComboBox6)};
    in.doubleTagMode = {selected(ComboBox8), selected(ComboBox9), selected(ComboBox10)};
    in.remove1PT = CheckBox6->isChecked();
    in.vlanMode = RadioGroup1->itemIndex();
    in.provEthType = selected(ComboBox14);
    in.portForwarding = d->shownForwarding();
    in.disableLearning = CheckBox19->isChecked();
    in.bpduPriorityOverride = CheckBox20->isChecked();
    in.lacpPriorityOverride = CheckBox21->isChecked();
    in.table = d->vlanPole;
    in.vlanCount = d->vlanCount;
    in.facts.hasLine4 = d->hasLine4;
    in.facts.onePlusZeroInactive = d->onePlusZeroInactive != 0;
    in.facts.vlanActiveInEthernet = d->vlanActiveInEthernet;

    const VlanCommitResult set = commitVlanSettings(in, d->cfg);
    if (set) {
        done(1);
        return;
    }
    showErrorClose(this, vlanCommitRefusalText(set.error(), d->langIni));
}

void TVlan_form::Button5Click(QObject*)
{
    const QString question = message(d->langIni, kProceedChangesText);
    // NoButton: the host destroyed the dialog while the box was open.
    if (askYesNoCancel(this, question) != QMessageBox::Yes)
        return;
    d->cfg.writeDefaultImage();
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
        d->colourFields();
}

void TVlan_form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    d->skeleton.shown();
}

// The meta-object code in this file's unit, where the debugging information
// describes the class whole under its header's own path (the ABI baseline reads it).
#include "moc_Vlan_form.cpp"
