// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "host/app/DecodedView.h"
#include "host/app/DialogRun.h"
#include "host/app/UnitState.h"

#include <QMainWindow>

#include <array>
#include <memory>

class QCheckBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTextEdit;
class QTreeWidget;
class TIniFile;

// The demo host's main window: a local and a remote unit with their arrays
// and facts, a language catalogue, and buttons that open the dialogs over the
// selected unit. After each run it shows the modal result, the array in hex
// with the changed bytes marked, and every field decoded.
class DemoWindow : public QMainWindow
{
    Q_OBJECT

public:
    // catalogue: a catalogue file to start with (empty: English).
    explicit DemoWindow(const QString& catalogue = QString(), bool remote = false,
                        QWidget* parent = nullptr);
    ~DemoWindow() override;

    // The model, for inspection.
    const Unit& unit(bool local) const { return m_units[local ? 0 : 1]; }
    Unit& unit(bool local) { return m_units[local ? 0 : 1]; }
    bool localSelected() const { return m_local; }
    void selectUnit(bool local);
    void setCatalogueFile(const QString& file); // empty: English
    QString catalogueFile() const;
    void setDiscardOnCancel(bool on);
    // Both units' VLAN arrays made to show a case (presetVlan).
    void presetVlanArrays(int mode, bool sampleTable);
    const DialogRun& lastRun() const { return m_lastRun; }
    QString resultText() const;
    QString hexText(ArrayKind kind) const; // the hex view's plain text
    QTreeWidget* decodedTree(ArrayKind kind) const;

public Q_SLOTS:
    // Open a dialog modally over the selected unit (the host contract).
    void openQosDialog();
    void openVlanDialog();
    // Load or save the selected unit's array through a file chooser.
    void loadArray(ArrayKind kind);
    void saveArray(ArrayKind kind);
    // Make the selected unit unconfigured again (every byte 0xFF).
    void unconfigureUnit();

private:
    void buildUi();
    void chooseCatalogue();
    void showFacts();
    void readFacts();
    void refreshViews();
    void refreshView(ArrayKind kind);
    void afterRun(const DialogRun& run);

    std::array<Unit, 2> m_units;
    // What each array looked like before the last dialog run over it, per
    // unit; the views mark the differences.
    std::array<std::array<QByteArray, 2>, 2> m_reference;
    bool m_local = true;
    std::unique_ptr<TIniFile> m_catalogue;
    DialogRun m_lastRun;
    bool m_hasRun = false;

    QRadioButton* m_localButton = nullptr;
    QRadioButton* m_remoteButton = nullptr;
    QLabel* m_catalogueLabel = nullptr;
    QCheckBox* m_discard = nullptr;
    QCheckBox* m_vlanActive = nullptr;
    QCheckBox* m_modem2Present = nullptr;
    QCheckBox* m_onePlusZeroInactive = nullptr;
    QSpinBox* m_modem2Mode = nullptr;
    QSpinBox* m_capabilities = nullptr;
    QCheckBox* m_line4 = nullptr;
    QLabel* m_derived = nullptr;
    QLabel* m_result = nullptr;
    QTabWidget* m_tabs = nullptr;
    std::array<QTextEdit*, 2> m_hex{};
    std::array<QTreeWidget*, 2> m_tree{};
    bool m_updatingFacts = false;
};
