// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/DemoWindow.h"

#include "host/app/ArrayFile.h"
#include "host/app/CommandLine.h"
#include "host/app/HexView.h"

#include "core/IniFile.h"
#include "toolsupport/ToolProcess.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>


namespace {

int kindIndex(ArrayKind kind)
{
    return kind == ArrayKind::Qos ? 0 : 1;
}

QString unitName(bool local)
{
    return local ? QStringLiteral("local") : QStringLiteral("remote");
}

const QString kFileFilter = QStringLiteral("Array files (*.bin);;All files (*)");

} // namespace

DemoWindow::DemoWindow(const QString& catalogue, bool remote, QWidget* parent)
    : QMainWindow(parent)
    , m_local(!remote)
    , m_catalogue(std::make_unique<TIniFile>())
{
    setWindowTitle(QStringLiteral("ODU switch demo host"));
    buildUi();
    setCatalogueFile(catalogue);
    selectUnit(!remote);
}

DemoWindow::~DemoWindow() = default;

void DemoWindow::buildUi()
{
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);

    // Unit, catalogue and the cancel option.
    auto* top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Unit:"), central));
    m_localButton = new QRadioButton(QStringLiteral("&Local"), central);
    m_remoteButton = new QRadioButton(QStringLiteral("&Remote"), central);
    auto* units = new QButtonGroup(this);
    units->addButton(m_localButton);
    units->addButton(m_remoteButton);
    top->addWidget(m_localButton);
    top->addWidget(m_remoteButton);
    top->addSpacing(16);
    top->addWidget(new QLabel(QStringLiteral("Catalogue:"), central));
    m_catalogueLabel = new QLabel(central);
    m_catalogueLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    top->addWidget(m_catalogueLabel, 1);
    auto* chooseCatalogue = new QPushButton(QStringLiteral("C&hoose..."), central);
    auto* english = new QPushButton(QStringLiteral("&English"), central);
    top->addWidget(chooseCatalogue);
    top->addWidget(english);
    layout->addLayout(top);

    m_discard = new QCheckBox(QStringLiteral("&Discard changes on Cancel (keep a copy before the "
                                             "dialog opens and put it back on result 2)"),
                              central);
    layout->addWidget(m_discard);

    // The unit facts the VLAN dialog takes.
    auto* facts = new QGroupBox(QStringLiteral("Unit facts (VLAN dialog)"), central);
    auto* factsLayout = new QGridLayout(facts);
    m_vlanActive = new QCheckBox(QStringLiteral("VLAN active in Ethernet properties (vlanActiveInEthernet)"), facts);
    m_onePlusZeroInactive = new QCheckBox(QStringLiteral("1+0 mode inactive (onePlusZeroInactive)"), facts);
    m_modem2Present = new QCheckBox(QStringLiteral("Modem 2 present (modem2Present)"), facts);
    m_modem2Mode = new QSpinBox(facts);
    m_modem2Mode->setRange(0, 255);
    m_modem2Mode->setToolTip(QStringLiteral("%1 makes Modem 2 unusable").arg(kModem2UnusableMode));
    m_capabilities = new QSpinBox(facts);
    m_capabilities->setRange(0, 255);
    m_capabilities->setDisplayIntegerBase(16);
    m_capabilities->setPrefix(QStringLiteral("0x"));
    m_line4 = new QCheckBox(QStringLiteral("LINE 4 port (bit 3)"), facts);
    m_derived = new QLabel(facts);
    factsLayout->addWidget(m_vlanActive, 0, 0, 1, 2);
    factsLayout->addWidget(m_onePlusZeroInactive, 0, 2, 1, 2);
    factsLayout->addWidget(m_modem2Present, 1, 0, 1, 2);
    factsLayout->addWidget(new QLabel(QStringLiteral("Modem 2 mode (modem2Mode):"), facts), 1, 2);
    factsLayout->addWidget(m_modem2Mode, 1, 3, Qt::AlignLeft);
    factsLayout->addWidget(new QLabel(QStringLiteral("ODU capabilities (oduCapabilities):"), facts), 2, 0);
    factsLayout->addWidget(m_capabilities, 2, 1, Qt::AlignLeft);
    factsLayout->addWidget(m_line4, 2, 2);
    factsLayout->addWidget(m_derived, 2, 3);
    m_modem2Mode->setMinimumWidth(80);
    m_capabilities->setMinimumWidth(80);
    factsLayout->setColumnStretch(4, 1);
    layout->addWidget(facts);

    // Dialogs and files.
    auto* buttons = new QHBoxLayout;
    auto* openQos = new QPushButton(QStringLiteral("&QoS dialog..."), central);
    auto* openVlan = new QPushButton(QStringLiteral("&VLAN dialog..."), central);
    openQos->setObjectName(QStringLiteral("openQos"));
    openVlan->setObjectName(QStringLiteral("openVlan"));
    buttons->addWidget(openQos);
    buttons->addWidget(openVlan);
    buttons->addSpacing(16);
    auto* loadQos = new QPushButton(QStringLiteral("Load QoS array..."), central);
    auto* saveQos = new QPushButton(QStringLiteral("Save QoS array..."), central);
    auto* loadVlan = new QPushButton(QStringLiteral("Load VLAN array..."), central);
    auto* saveVlan = new QPushButton(QStringLiteral("Save VLAN array..."), central);
    auto* unconfigure = new QPushButton(QStringLiteral("&Unconfigure unit"), central);
    unconfigure->setToolTip(QStringLiteral("Set both arrays of the selected unit to 0xFF"));
    for (QPushButton* b : {loadQos, saveQos, loadVlan, saveVlan, unconfigure})
        buttons->addWidget(b);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    m_result = new QLabel(QStringLiteral("No dialog opened yet."), central);
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_result->setFrameShape(QFrame::StyledPanel);
    layout->addWidget(m_result);

    // One page per array: hex on the left, decoded fields on the right.
    m_tabs = new QTabWidget(central);
    for (ArrayKind kind : {ArrayKind::Qos, ArrayKind::Vlan}) {
        const int k = kindIndex(kind);
        auto* split = new QSplitter(Qt::Horizontal, m_tabs);
        m_hex[k] = new QTextEdit(split);
        m_hex[k]->setReadOnly(true);
        m_hex[k]->setLineWrapMode(QTextEdit::NoWrap);
        m_tree[k] = new QTreeWidget(split);
        m_tree[k]->setColumnCount(2);
        m_tree[k]->setHeaderLabels({QStringLiteral("Field"), QStringLiteral("Value")});
        m_tree[k]->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
        split->setStretchFactor(0, 2);
        split->setStretchFactor(1, 3);
        m_tabs->addTab(split, QStringLiteral("%1 array (%2 bytes)").arg(arrayName(kind)).arg(arrayBytes(kind)));
    }
    layout->addWidget(m_tabs, 1);
    setCentralWidget(central);
    resize(1100, 760);

    connect(m_localButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on && !m_local)
            selectUnit(true);
    });
    connect(m_remoteButton, &QRadioButton::toggled, this, [this](bool on) {
        if (on && m_local)
            selectUnit(false);
    });
    connect(chooseCatalogue, &QPushButton::clicked, this, &DemoWindow::chooseCatalogue);
    connect(english, &QPushButton::clicked, this, [this] { setCatalogueFile(QString()); });
    for (QCheckBox* box : {m_vlanActive, m_onePlusZeroInactive, m_modem2Present})
        connect(box, &QCheckBox::toggled, this, &DemoWindow::readFacts);
    connect(m_modem2Mode, &QSpinBox::valueChanged, this, &DemoWindow::readFacts);
    connect(m_capabilities, &QSpinBox::valueChanged, this, &DemoWindow::readFacts);
    connect(m_line4, &QCheckBox::toggled, this, [this](bool on) {
        if (m_updatingFacts)
            return;
        const int caps = m_capabilities->value();
        m_capabilities->setValue(on ? (caps | UnitFacts::kLine4Bit) : (caps & ~UnitFacts::kLine4Bit));
    });
    connect(openQos, &QPushButton::clicked, this, &DemoWindow::openQosDialog);
    connect(openVlan, &QPushButton::clicked, this, &DemoWindow::openVlanDialog);
    connect(loadQos, &QPushButton::clicked, this, [this] { loadArray(ArrayKind::Qos); });
    connect(saveQos, &QPushButton::clicked, this, [this] { saveArray(ArrayKind::Qos); });
    connect(loadVlan, &QPushButton::clicked, this, [this] { loadArray(ArrayKind::Vlan); });
    connect(saveVlan, &QPushButton::clicked, this, [this] { saveArray(ArrayKind::Vlan); });
    connect(unconfigure, &QPushButton::clicked, this, &DemoWindow::unconfigureUnit);
}

void DemoWindow::selectUnit(bool local)
{
    m_local = local;
    const QSignalBlocker blockLocal(m_localButton);
    const QSignalBlocker blockRemote(m_remoteButton);
    m_localButton->setChecked(local);
    m_remoteButton->setChecked(!local);
    showFacts();
    refreshViews();
}

void DemoWindow::setCatalogueFile(const QString& file)
{
    if (!file.isEmpty()) {
        const Result<void> usable = checkCatalogueFile(file);
        if (!usable) {
            QMessageBox::warning(this, windowTitle(),
                                 usable.error() + QStringLiteral(". The catalogue was not changed."));
            return;
        }
    }
    m_catalogue = file.isEmpty() ? std::make_unique<TIniFile>() : std::make_unique<TIniFile>(file);
    m_catalogueLabel->setText(file.isEmpty() ? QStringLiteral("none (English texts)") : file);
    // Read all the same, but with U+FFFD wherever a byte does not decode.
    if (const QString warning = file.isEmpty() ? QString() : catalogueEncodingWarning(file); !warning.isEmpty()) {
        printToolMessage(warning);
        statusBar()->showMessage(warning);
    }
}

void DemoWindow::presetVlanArrays(int mode, bool sampleTable)
{
    for (Unit& u : m_units)
        presetVlan(u, mode, sampleTable);
    refreshViews();
}

QString DemoWindow::catalogueFile() const
{
    return m_catalogue->FileName();
}

void DemoWindow::setDiscardOnCancel(bool on)
{
    m_discard->setChecked(on);
}

void DemoWindow::chooseCatalogue()
{
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Language catalogue"), QFileInfo(catalogueFile()).path(),
        QStringLiteral("Catalogues (*.ini *.lng *.txt);;All files (*)"));
    if (!file.isEmpty())
        setCatalogueFile(file);
}

void DemoWindow::showFacts()
{
    const UnitFacts& f = unit(m_local).facts;
    m_updatingFacts = true;
    m_vlanActive->setChecked(f.vlanActiveInEthernet);
    m_onePlusZeroInactive->setChecked(f.onePlusZeroInactive != 0);
    m_modem2Present->setChecked(f.modem2Present != 0);
    m_modem2Mode->setValue(uchar(f.modem2Mode));
    m_capabilities->setValue(uchar(f.oduCapabilities));
    m_line4->setChecked(f.hasLine4());
    m_updatingFacts = false;
    m_derived->setText(QStringLiteral("LINE 4: %1, Modem 2 usable: %2")
                           .arg(f.hasLine4() ? QStringLiteral("yes") : QStringLiteral("no"),
                                f.modem2Usable() ? QStringLiteral("yes") : QStringLiteral("no")));
}

void DemoWindow::readFacts()
{
    if (m_updatingFacts)
        return;
    UnitFacts& f = unit(m_local).facts;
    f.vlanActiveInEthernet = m_vlanActive->isChecked();
    f.onePlusZeroInactive = m_onePlusZeroInactive->isChecked() ? 1 : 0;
    f.modem2Present = m_modem2Present->isChecked() ? 1 : 0;
    f.modem2Mode = char(m_modem2Mode->value());
    f.oduCapabilities = char(m_capabilities->value());
    showFacts();
}

void DemoWindow::openQosDialog()
{
    Unit& u = unit(m_local);
    m_reference[m_local ? 0 : 1][kindIndex(ArrayKind::Qos)] = u.qos;
    afterRun(runQosDialog(this, m_local, m_catalogue.get(), u.qos, m_discard->isChecked()));
}

void DemoWindow::openVlanDialog()
{
    Unit& u = unit(m_local);
    m_reference[m_local ? 0 : 1][kindIndex(ArrayKind::Vlan)] = u.vlan;
    afterRun(runVlanDialog(this, m_local, m_catalogue.get(), u.vlan, u.facts, m_discard->isChecked()));
}

void DemoWindow::afterRun(const DialogRun& run)
{
    m_lastRun = run;
    m_hasRun = true;
    m_result->setText(resultText());
    m_tabs->setCurrentIndex(kindIndex(run.kind));
    refreshViews();
}

QString DemoWindow::resultText() const
{
    if (!m_hasRun)
        return QStringLiteral("No dialog opened yet.");
    const DialogRun& run = m_lastRun;
    QString text = QStringLiteral("%1 dialog, %2 unit: modal result %3 (%4); the constructor reported %5 bytes.")
                       .arg(arrayName(run.kind), unitName(run.isLocal))
                       .arg(run.result)
                       .arg(run.result == 1 ? QStringLiteral("OK")
                                            : run.result == 2 ? QStringLiteral("cancel")
                                                              : QStringLiteral("unexpected"))
                       .arg(run.reportedSize);
    if (run.afterConstruction != run.before)
        text += QStringLiteral(" The array was blank: the constructor replaced it by the default image.");
    const int written = int(changedOffsets(run.before, run.written).size());
    text += written == 0 ? QStringLiteral(" The array is unchanged.")
                         : QStringLiteral(" %1 byte%2 changed.").arg(written).arg(written == 1 ? QString() : QStringLiteral("s"));
    if (run.restored)
        text += written == 0 ? QStringLiteral(" (Discard on Cancel: nothing to put back.)")
                             : QStringLiteral(" Discard on Cancel: the copy was put back, so the unit keeps its old array.");
    else if (run.result == 2 && written != 0)
        text += QStringLiteral(" Cancel does not undo what the dialog already wrote; the unit keeps it.");
    if (written != 0 && !run.restored)
        text += QStringLiteral(" Highlighted below: the bytes and fields that differ from before the run.");
    return text;
}

void DemoWindow::loadArray(ArrayKind kind)
{
    const QString file = QFileDialog::getOpenFileName(
        this, QStringLiteral("Load the %1 unit's %2 array").arg(unitName(m_local), arrayName(kind)),
        QString(), kFileFilter);
    if (file.isEmpty())
        return;
    const Result<QByteArray> load = loadArrayFile(file, kind);
    if (!load) {
        QMessageBox::warning(this, windowTitle(), load.error());
        return;
    }
    QByteArray& cfg = unit(m_local).array(kind);
    m_reference[m_local ? 0 : 1][kindIndex(kind)].clear();
    cfg = load.value();
    statusBar()->showMessage(QStringLiteral("Loaded %1").arg(file), 5000);
    refreshViews();
}

void DemoWindow::saveArray(ArrayKind kind)
{
    const QString file = QFileDialog::getSaveFileName(
        this, QStringLiteral("Save the %1 unit's %2 array").arg(unitName(m_local), arrayName(kind)),
        QStringLiteral("%1-%2.bin").arg(unitName(m_local), arrayName(kind).toLower()), kFileFilter);
    if (file.isEmpty())
        return;
    const Result<void> saved = saveArrayFile(file, unit(m_local).array(kind), kind);
    if (!saved) {
        QMessageBox::warning(this, windowTitle(), saved.error());
        return;
    }
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(file), 5000);
}

void DemoWindow::unconfigureUnit()
{
    Unit& u = unit(m_local);
    u.qos.fill(char(0xFF));
    u.vlan.fill(char(0xFF));
    m_reference[m_local ? 0 : 1] = {};
    refreshViews();
}

void DemoWindow::refreshViews()
{
    refreshView(ArrayKind::Qos);
    refreshView(ArrayKind::Vlan);
}

void DemoWindow::refreshView(ArrayKind kind)
{
    const int k = kindIndex(kind);
    const QByteArray& cfg = unit(m_local).array(kind);
    const QByteArray& reference = m_reference[m_local ? 0 : 1][k];
    m_hex[k]->setHtml(hexDumpHtml(cfg, reference));

    const auto decode = kind == ArrayKind::Qos ? decodeQos : decodeVlan;
    const QList<DecodedField> fields = decode(cfg);
    const QList<DecodedField> old = reference.isEmpty() ? QList<DecodedField>() : decode(reference);

    m_tree[k]->clear();
    QTreeWidgetItem* group = nullptr;
    for (const DecodedField& f : fields) {
        if (!group || group->text(0) != f.group) {
            group = new QTreeWidgetItem(m_tree[k], {f.group});
            QFont bold = group->font(0);
            bold.setBold(true);
            group->setFont(0, bold);
            group->setExpanded(true);
        }
        auto* item = new QTreeWidgetItem(group, {f.name, f.value});
        const QString was = decodedValue(old, f.group, f.name);
        if (!old.isEmpty() && was != f.value) {
            item->setBackground(1, QColor(0xff, 0xd5, 0x4f));
            item->setToolTip(1, was.isNull() ? QStringLiteral("new") : QStringLiteral("was: %1").arg(was));
        }
    }
}

QString DemoWindow::hexText(ArrayKind kind) const
{
    return m_hex[kindIndex(kind)]->toPlainText();
}

QTreeWidget* DemoWindow::decodedTree(ArrayKind kind) const
{
    return m_tree[kindIndex(kind)];
}
