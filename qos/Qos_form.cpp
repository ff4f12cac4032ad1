// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "qos/Qos_form.h"

#include "core/IniFile.h"
#include "core/Lookup.h"
#include "core/CaptionTables.h"
#include "plugin/InstancePointers.h"
#include "core/IntegerText.h"
#include "qos/QosAccessibility.h"
#include "core/QosConfig.h"
#include "ui/Density.h"
#include "ui/DialogCaptions.h"
#include "ui/DialogSkeleton.h"
#include "ui/DialogWindow.h"
#include "ui/FocusLeave.h"
#include "ui/KeyFilter.h"
#include "ui/MessageBoxes.h"

#include <QCompleter>
#include <QPointer>

#include <array>
#include <optional>

// The dialog's own resources (its icon); outside any namespace, as the
// resource initialisers are declared there.
static void registerQosResources()
{
    Q_INIT_RESOURCE(Qos_form);
}

namespace {

const QString kWeightsError = QString::fromUtf8(kQosWeightsMessage);

// Design sizes at 96 pixels per inch.
constexpr int kRemapLabelWidth = 75;
constexpr int kRemapValueWidth = 65;

// A value cell: six blanks, then the number.
QString valueCell(unsigned value)
{
    return QStringLiteral("      ") + QString::number(value);
}

// A row label of the queue tables: four blanks, then the number.
QString rowLabel(int number)
{
    return QStringLiteral("    ") + QString::number(number);
}

// An entered number, accepted when it reads as a whole number from 0 up to
// (not including) limit. Negative or otherwise unusual texts, which only
// pasting can bring in, are rejected like any other bad entry.
std::optional<unsigned> acceptedEntry(const QString& text, unsigned limit)
{
    const std::optional<int> value = textToInteger(text);
    if (!value || *value < 0 || unsigned(*value) >= limit)
        return std::nullopt;
    return unsigned(*value);
}

} // namespace

// What the dialog keeps besides its controls, and its own helpers.
class TQos_formPrivate
{
public:
    TQos_formPrivate(TQos_form& form, TIniFile* langIni, unsigned char* cfgPole)
        : q(form)
        , cfgPole(cfgPole)
        , langIni(langIni)
        , skeleton(&form)
        , cfg(cfgPole)
    {
    }

    void scaleGrids(float factor);
    void setCaptions(bool isLocal);
    void remapGridExit(StringGrid* grid, QosPort port);
    void comboBoxExit(QComboBox* box, QosPort port);
    void radioGroupExit(RadioGroup* group, QosSwitch which);
    void showPortPriorities();
    void showQueueWeights();
    void fillRemapGrid(StringGrid* grid, QosPort port);
    void showTableHeading(const char* control);

    TQos_form& q;
    unsigned char* cfgPole;
    TIniFile* langIni;
    QString allChangesMsg; // the reset confirmation text
    FocusLeave* leave = nullptr;
    // The window set-up all dialogs share.
    DialogSkeleton skeleton;
    // The one view over the host's array that every handler writes through.
    QosConfigArray cfg;
};

// A host compiles the size of the dialog into its code (new TQos_form): the
// class holds its bases and the pointer d, nothing else.
static_assert(sizeof(TQos_form) == sizeof(QDialog) + sizeof(Ui::TQos_form) + sizeof(void*),
              "TQos_form keeps its state behind d");

TQos_form::TQos_form(QWidget* Owner, bool isLocal, TIniFile* langIni, unsigned char* cfgPole, int* cfgSize)
    : QDialog(Owner)
    , d(std::make_unique<TQos_formPrivate>(*this, langIni, cfgPole))
{
    // 1. The window from its design.
    setupUi(this);
    d->skeleton.dress(QStringLiteral(":/qos/Qos_form.xpm"), registerQosResources,
                     Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint,
                     PageControl1);
    for (QComboBox* box : {ComboBox1, ComboBox2, ComboBox3}) {
        // The list opens as soon as the user types.
        box->completer()->setCompletionMode(QCompleter::PopupCompletion);
        box->completer()->setCaseSensitivity(Qt::CaseInsensitive);
    }

    connect(Button1, &QPushButton::clicked, this, [this] { done(1); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(Button2); });
    connect(Button3, &QPushButton::clicked, this, [this] { done(2); });

    const auto keyPress = [this](QObject* sender, QChar& key) { Edit1KeyPress(sender, key); };
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7})
        installKeyFilter(edit, keyPress);
    for (StringGrid* grid : {StringGrid1, StringGrid2, StringGrid3, StringGrid4, StringGrid5}) {
        grid->setEditorKeyFilter(keyPress);
        // A grid starts on its first value cell, not on a label, with
        // nothing selected until the user picks a cell.
        grid->setCurrentCell(grid->fixedRows(), grid->fixedCols(), QItemSelectionModel::NoUpdate);
    }

    d->leave = new FocusLeave(this);
    const auto bind = [this](QWidget* control, void (TQos_form::*handler)(QObject*)) {
        d->leave->onLeave(control, [this, handler](QObject* sender) { (this->*handler)(sender); });
    };
    for (QLineEdit* edit : {Edit5, Edit6, Edit7})
        bind(edit, &TQos_form::Edit5Exit);
    for (QLineEdit* edit : {Edit1, Edit2, Edit3, Edit4})
        bind(edit, &TQos_form::Edit1Exit);
    bind(StringGrid1, &TQos_form::StringGrid1Exit);
    bind(StringGrid2, &TQos_form::StringGrid2Exit);
    bind(StringGrid3, &TQos_form::StringGrid3Exit);
    bind(StringGrid4, &TQos_form::StringGrid4Exit);
    bind(StringGrid5, &TQos_form::StringGrid5Exit);
    bind(ComboBox1, &TQos_form::ComboBox1Exit);
    bind(ComboBox2, &TQos_form::ComboBox2Exit);
    bind(ComboBox3, &TQos_form::ComboBox3Exit);
    bind(RadioGroup1, &TQos_form::RadioGroup1Exit);
    bind(RadioGroup2, &TQos_form::RadioGroup2Exit);
    bind(RadioGroup3, &TQos_form::RadioGroup3Exit);

    for (QWidget* w : std::initializer_list<QWidget*>{Edit1, Edit2, Edit3, Edit4, Edit5, Edit6, Edit7, ComboBox1,
                                                      ComboBox2, ComboBox3, GridPanel4, RadioGroup1, RadioGroup2,
                                                      RadioGroup3})
        d->skeleton.scaleLimits(w);
    d->skeleton.keepButtonsFitted({Button1, Button2, Button3});
    Button3->setFocus();

    // 2. Size report; the pointers are kept above.
    d->allChangesMsg.clear();
    *cfgSize = kQosConfigSize;

    // 3. Blank rule.
    d->cfg.applyBlankRule();

    // 4. Density scaling of the grids.
    d->scaleGrids(d->skeleton.density());

    // 5. Every control from the array.
    inicializuj_ovladaci_prvky();

    // 6. Title and captions.
    d->setCaptions(isLocal);
    for (StringGrid* grid : {StringGrid1, StringGrid2, StringGrid3, StringGrid4, StringGrid5})
        grid->widenColumnsToTexts();
    makeQosDialogAccessible(*this);

    // Whatever the font and the captions, the window is never smaller than
    // its contents need, nor bigger than the screen.
    d->skeleton.place();
}

TQos_form::~TQos_form()
{
    // What d holds goes first: no leave handler may run after it.
    delete d->leave;
    // A host that destroys the dialog while it is open leaves no dangling
    // instance pointer behind.
    if (Qos_form1 == this)
        Qos_form1 = nullptr;
}

// Table headings are looked up at every load, whatever the catalogue's file.
void TQos_formPrivate::showTableHeading(const char* control)
{
    if (const CaptionRow* row = CaptionTables::find(CaptionTables::qos(), control))
        showCaption(&q, *row, captionText(langIni, *row));
}

void TQos_formPrivate::scaleGrids(float factor)
{
    q.StringGrid1->setDefaultColumnWidth(scaledSize(q.StringGrid1->defaultColumnWidth(), factor));
    q.StringGrid2->setDefaultColumnWidth(scaledSize(q.StringGrid2->defaultColumnWidth(), factor));
    for (StringGrid* grid : {q.StringGrid3, q.StringGrid4, q.StringGrid5}) {
        grid->setColumnWidth(0, scaledSize(kRemapLabelWidth, factor));
        grid->setColumnWidth(1, scaledSize(kRemapValueWidth, factor));
    }
}

void TQos_form::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    d->skeleton.shown();
}

void TQos_formPrivate::setCaptions(bool isLocal)
{
    // Without a catalogue file the title and the reset question are the
    // English ones and every caption keeps its design; with one, the table's
    // rows are looked up in order (the title of this unit only).
    const bool fromCatalogue = langIni && !langIni->FileName().isEmpty();
    const char* unit = isLocal ? "local" : "remote";
    const std::optional<CaptionPlaces> places =
        fromCatalogue ? std::optional<CaptionPlaces>(&q) : std::nullopt;
    for (const CaptionRow& row : CaptionTables::qos()) {
        if (*row.unit && qstrcmp(row.unit, unit) != 0)
            continue;
        const bool title = qstrcmp(row.control, "window title") == 0;
        if (row.kind == CaptionKind::Message) {
            allChangesMsg = fromCatalogue ? captionText(langIni, row) : QString::fromUtf8(row.english);
        } else if (title && !fromCatalogue) {
            q.setWindowTitle(QString::fromUtf8(row.english));
        } else if (fromCatalogue && !isWrittenByLoading(row)) {
            places->show(row, captionText(langIni, row));
        }
    }
}

void TQos_form::inicializuj_ovladaci_prvky()
{
    d->showPortPriorities();

    const std::array<QComboBox*, kQosPortCount> boxes{ComboBox1, ComboBox2, ComboBox3};
    for (int port = 0; port < kQosPortCount; ++port) {
        const unsigned mode = d->cfg.priorityResolution(QosPort(port));
        boxes[port]->setCurrentIndex(mode < unsigned(kResolutionModeCount) ? int(mode) : -1);
    }

    Init_VlanRemapLine2();
    Init_VlanRemapLine3();
    Init_VlanRemapLine4();
    Init_VlanQueueMapp();
    Init_DscpQueueMapp();

    // The tag priority row labels: the heading read once per row, then the
    // row's number; the same eight texts in all three remapping grids.
    for (int row = 0; row < kRemapEntries; ++row) {
        const QString text = captionTextOf(CaptionTables::qos(), "StringGrid3 row labels", d->langIni)
                             + QStringLiteral(" ") + QString::number(row);
        for (StringGrid* grid : {StringGrid3, StringGrid4, StringGrid5})
            grid->setCellText(0, row, text);
    }

    d->showTableHeading("StringGrid1 heading 0");
    for (int n = 0; n < kVlanQueueEntries; ++n)
        StringGrid1->setCellText(0, n + 1, rowLabel(n));
    d->showTableHeading("StringGrid2 heading 0");
    for (int n = 0; n < kDscpQueueEntries; ++n)
        StringGrid2->setCellText(0, n + 1, rowLabel(n));

    d->showQueueWeights();

    RadioGroup2->setItemIndex(d->cfg.switchBit(ch1_scheduling) ? 1 : 0);
    RadioGroup3->setItemIndex(d->cfg.switchBit(ch2_scheduling) ? 1 : 0);
    RadioGroup1->setItemIndex(d->cfg.switchBit(qos_main_switch) ? 1 : 0);
}

void TQos_formPrivate::fillRemapGrid(StringGrid* grid, QosPort port)
{
    for (int row = 0; row < kRemapEntries; ++row)
        grid->setCellText(1, row, valueCell(cfg.remapEntry(port, row)));
}

void TQos_form::Init_VlanRemapLine2() { d->fillRemapGrid(StringGrid3, qos_line2); }
void TQos_form::Init_VlanRemapLine3() { d->fillRemapGrid(StringGrid4, qos_line3); }
void TQos_form::Init_VlanRemapLine4() { d->fillRemapGrid(StringGrid5, qos_line4); }

void TQos_form::Init_VlanQueueMapp()
{
    d->showTableHeading("StringGrid1 heading 1");
    for (int n = 0; n < kVlanQueueEntries; ++n)
        StringGrid1->setCellText(1, n + 1, valueCell(d->cfg.vlanQueue(n)));
}

void TQos_form::Init_DscpQueueMapp()
{
    d->showTableHeading("StringGrid2 heading 1");
    for (int n = 0; n < kDscpQueueEntries; ++n)
        StringGrid2->setCellText(1, n + 1, valueCell(d->cfg.dscpQueue(n)));
}

void TQos_form::inic_na_vychozi_cfg()
{
    d->cfg.inic_na_vychozi_cfg();
}

void TQos_formPrivate::showPortPriorities()
{
    q.Edit5->setText(QString::number(cfg.portPriority(qos_line2)));
    q.Edit6->setText(QString::number(cfg.portPriority(qos_line3)));
    q.Edit7->setText(QString::number(cfg.portPriority(qos_line4)));
}

void TQos_formPrivate::showQueueWeights()
{
    const std::array<QLineEdit*, kQueueCount> edits{q.Edit1, q.Edit2, q.Edit3, q.Edit4};
    for (int n = 0; n < kQueueCount; ++n)
        edits[n]->setText(QString::number(cfg.queueWeight(n)));
}

void TQos_form::Edit1KeyPress(QObject*, QChar& Key)
{
    const bool digit = Key >= QLatin1Char('0') && Key <= QLatin1Char('9');
    if (!digit && Key != QChar(8))
        Key = QChar();
}

void TQos_form::Edit5Exit(QObject*)
{
    constexpr unsigned limit = 8;
    d->cfg.writePortPriorities({acceptedEntry(Edit5->text(), limit), acceptedEntry(Edit6->text(), limit),
                                acceptedEntry(Edit7->text(), limit)});
    d->showPortPriorities();
}

void TQos_form::Edit1Exit(QObject*)
{
    const std::array<QLineEdit*, kQueueCount> edits{Edit1, Edit2, Edit3, Edit4};
    std::array<long long, kQueueCount> weights{};
    bool readable = true;
    for (int q = 0; q < kQueueCount; ++q) {
        const std::optional<int> value = textToInteger(edits[q]->text());
        // A negative weight (only pasting can bring one in) is as unreadable
        // as a letter: the set is dropped without a message.
        if (!value || *value < 0)
            readable = false;
        else
            weights[q] = *value;
    }
    if (readable && !d->cfg.writeQueueWeights(weights)) {
        // The box runs its own event loop, and this handler runs inside a
        // focus change: were the host to destroy the dialog while the box is
        // open, the focus change would go on with destroyed controls. So the
        // box, and the reload after it, wait until the focus change is over.
        // The answer is ignored; NoButton means the dialog is gone. A dialog
        // that closed meanwhile (the focus left for "&Ok") shows no box.
        QMetaObject::invokeMethod(
            this,
            [this] {
                if (isVisible() && showErrorOkCancel(this, kWeightsError) == QMessageBox::NoButton)
                    return;
                d->showQueueWeights();
            },
            Qt::QueuedConnection);
        return;
    }
    d->showQueueWeights();
}

void TQos_form::StringGrid1Exit(QObject*)
{
    std::array<std::optional<unsigned>, kVlanQueueEntries> queues;
    for (int n = 0; n < kVlanQueueEntries; ++n)
        queues[n] = acceptedEntry(StringGrid1->cellText(1, n + 1), kQueueCount);
    d->cfg.writeVlanQueueMap(queues);
    Init_VlanQueueMapp();
}

void TQos_form::StringGrid2Exit(QObject*)
{
    for (int half = 0; half < 2; ++half) {
        std::array<std::optional<unsigned>, kDscpHalfEntries> queues;
        for (int k = 0; k < kDscpHalfEntries; ++k)
            queues[k] = acceptedEntry(StringGrid2->cellText(1, 1 + half * kDscpHalfEntries + k), kQueueCount);
        d->cfg.writeDscpQueueMapHalf(half, queues);
    }
    Init_DscpQueueMapp();
}

void TQos_formPrivate::remapGridExit(StringGrid* grid, QosPort port)
{
    std::array<std::optional<unsigned>, kRemapEntries> entries;
    for (int row = 0; row < kRemapEntries; ++row)
        entries[row] = acceptedEntry(grid->cellText(1, row), kRemapEntries);
    cfg.writeRemapTable(port, entries);
}

void TQos_form::StringGrid3Exit(QObject*)
{
    d->remapGridExit(StringGrid3, qos_line2);
    Init_VlanRemapLine2();
}

void TQos_form::StringGrid4Exit(QObject*)
{
    d->remapGridExit(StringGrid4, qos_line3);
    Init_VlanRemapLine3();
}

void TQos_form::StringGrid5Exit(QObject*)
{
    d->remapGridExit(StringGrid5, qos_line4);
    Init_VlanRemapLine4();
}

// The selected item is the one whose text the box's field shows. A box left
// with no item selected (a stored value of 5 to 7, or a typed text that names
// no mode) keeps the stored field.
void TQos_formPrivate::comboBoxExit(QComboBox* box, QosPort port)
{
    const int index = box->findText(box->currentText(), Qt::MatchFixedString);
    if (index < 0)
        return;
    cfg.writePriorityResolution(port, unsigned(index));
}

void TQos_form::ComboBox1Exit(QObject*) { d->comboBoxExit(ComboBox1, qos_line2); }
void TQos_form::ComboBox2Exit(QObject*) { d->comboBoxExit(ComboBox2, qos_line3); }
void TQos_form::ComboBox3Exit(QObject*) { d->comboBoxExit(ComboBox3, qos_line4); }

void TQos_formPrivate::radioGroupExit(RadioGroup* group, QosSwitch which)
{
    const int index = group->itemIndex();
    if (index == 0 || index == 1)
        cfg.writeSwitch(which, index == 1);
}

void TQos_form::RadioGroup1Exit(QObject*) { d->radioGroupExit(RadioGroup1, qos_main_switch); }
void TQos_form::RadioGroup2Exit(QObject*) { d->radioGroupExit(RadioGroup2, ch1_scheduling); }
void TQos_form::RadioGroup3Exit(QObject*) { d->radioGroupExit(RadioGroup3, ch2_scheduling); }

void TQos_form::Button2Click(QObject*)
{
    // Anything but Yes, including a dialog destroyed while the box was open
    // (NoButton), leaves at once.
    if (askYesNoCancel(this, d->allChangesMsg) != QMessageBox::Yes)
        return;
    inic_na_vychozi_cfg();
    inicializuj_ovladaci_prvky();
}

void TQos_form::done(int result)
{
    // The close handling runs first: the host may delete the dialog from
    // accepted(), rejected() or finished().
    if (isVisible())
        FormClose(this);
    endDialog(this, result);
}

void TQos_form::reject()
{
    done(2);
}

void TQos_form::FormClose(QObject*)
{
    Qos_form1 = nullptr;
    deleteLater();
}

// The meta-object code in this file's unit, where the debugging information
// describes the class whole under its header's own path (the ABI baseline reads it).
#include "moc_Qos_form.cpp"
