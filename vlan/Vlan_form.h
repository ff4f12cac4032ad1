// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "plugin/OduSwitchExport.h"
#include "ui_Vlan_form.h"
#include "core/StaticVlanTable.h"
#include "core/VlanConfig.h"

#include <QDialog>

#include <array>
#include <memory>

class DialogSkeleton;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class TIniFile;

// The VLAN dialog: the modal window in which the user edits a unit's 82-byte
// VLAN configuration array. The constructor reports the size, replaces a
// blank array by the default image and loads every control from the array;
// after that the array is written only by "&Set" (Button3Click), which ends
// the dialog with 1 once every check passes, and by "De&fault" (Button5Click).
// Cancel, Escape, Enter outside a button and the close box end it with 2.
// The dialog never destroys itself: the host (or the Owner, when the Owner is
// destroyed) does, after the modal call returns or at any moment before;
// a message box or VID entry dialog that is open then closes with it.
//
// Ownership: the host owns the array (cfgPole) and the catalogue (langIni).
// The dialog keeps only pointers to them and uses both until it is destroyed
// (the catalogue for every message, the grid texts after each click and the
// VID entry dialog; the array for Set and Default), so both must outlive the
// dialog. The unit facts and the static VLAN table with its count are the
// dialog's own copies, so two dialogs never disturb each other.
//
// Members under the names the dialog must carry (the controls, the handlers,
// vlanCount) have no prefix; the dialog's own helpers and copies carry m_.
class ODU_SWITCH_EXPORT TVlan_form : public QDialog, public Ui::TVlan_form
{
    Q_OBJECT

public:
    TVlan_form(QWidget* Owner, bool isLocal, TIniFile* langIni, unsigned char* cfgPole,
               int* cfgSize, bool vlanActiveInEthernet, char modem2Present,
               char onePlusZeroInactive, char modem2Mode, char oduCapabilities);
    ~TVlan_form() override;

    // ---- Loading, colouring, mode switch ---------------------------------
    void nastav_ovladaci_prvky();
    void nastav_barvy(char mode);
    void RadioGroup1Click(QObject* Sender);
    // The NMS row of the forwarding matrix; run on every change of state.
    void CheckBox13Click(QObject* Sender);
    void CheckBox14Click(QObject* Sender);
    void CheckBox15Click(QObject* Sender);
    void CheckBox16Click(QObject* Sender);
    void CheckBox17Click(QObject* Sender);

    // ---- Static VLAN table ---------------------------------------------
    void napln_mrizku(char mode);
    bool VID_uz_existuje(short vid) const;
    void StringGrid1MouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                            int X, int Y);
    void Button1Click(QObject* Sender); // "&Add New VLAN"
    void Button2Click(QObject* Sender); // "D&elete VLAN"
    void cfgPole2vlanPole(unsigned short n);
    void vlanPole2cfgPole(unsigned short n);
    const VlanPole& vlanPole() const { return m_vlanPole; }
    unsigned short vlanEntryCount() const { return vlanCount; }

    // ---- Set and Default -------------------------------------------------
    void Button3Click(QObject* Sender);
    void Button5Click(QObject* Sender);

    // Escape and the close box end the dialog with the cancel result 2.
    void reject() override;
    // Ends the modal call; a host may delete the dialog from the signals it emits.
    void done(int result) override;

    // ---- The array's accessors, over the host's array ---------------------
    void set_cfg_pole_version(unsigned char v) { m_cfg.set_cfg_pole_version(v); }
    unsigned char get_ingress_policy(tPortik p) const { return m_cfg.get_ingress_policy(p); }
    void set_ingress_policy(tPortik p, char v) { m_cfg.set_ingress_policy(p, v); }
    unsigned char get_remove_1PT() const { return m_cfg.get_remove_1PT(); }
    void set_remove_1PT(char v) { m_cfg.set_remove_1PT(v); }
    unsigned char get_vlan_mode() const { return m_cfg.get_vlan_mode(); }
    void set_vlan_mode(char v) { m_cfg.set_vlan_mode(v); }
    unsigned char get_force_DefVID(tPortik p) const { return m_cfg.get_force_DefVID(p); }
    void set_force_DefVID(tPortik p, char v) { m_cfg.set_force_DefVID(p, v); }
    unsigned char get_doubleTag_mode(tPortik p) const { return m_cfg.get_doubleTag_mode(p); }
    void set_doubleTag_mode(tPortik p, char v) { m_cfg.set_doubleTag_mode(p, v); }
    unsigned char get_provEth_type() const { return m_cfg.get_provEth_type(); }
    void set_provEth_type(char v) { m_cfg.set_provEth_type(v); }
    unsigned short get_Default_VID(tPortik p) const { return m_cfg.get_Default_VID(p); }
    void set_Default_VID(tPortik p, unsigned short vid) { m_cfg.set_Default_VID(p, vid); }
    unsigned short get_pocet_vlan() const { return m_cfg.get_pocet_vlan(); }
    void set_pocet_vlan(unsigned short n) { m_cfg.set_pocet_vlan(n); }
    // CheckBox7..CheckBox18 from the array, one box after the other (each
    // change runs that box's rule), and back.
    void load_Port_FWD();
    void save_Port_FWD();

    // The unit facts as the constructor kept them.
    bool hasLine4() const { return m_hasLine4; }
    bool modem2Usable() const;

protected:
    // The dialog opens centred on the screen, not over its owner.
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
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
    // The selected item of a combo box, or -1 when its typed text names none.
    static int selectedItem(const QComboBox* box);

    // The whole window's least size, frame included (the designed client
    // area, 384 high, is smaller than that), and the frame a classic desktop
    // gives it, for when the platform has not told the frame yet.
    static constexpr QSize kDesignWindowMinimum{478, 388};
    static constexpr QSize kClassicFrame{8, 34};

    // The window set-up all dialogs share.
    const std::unique_ptr<DialogSkeleton> m_skeleton;

    VlanConfigArray m_cfg;
    TIniFile* m_langIni = nullptr;
    bool m_vlanActiveInEthernet = false;
    char m_modem2Present = 0;
    char m_onePlusZeroInactive = 0;
    char m_modem2Mode = 0;
    bool m_hasLine4 = false;
    int m_colouredMode = -1; // none yet
    VlanPole m_vlanPole;
    unsigned short vlanCount = 0;
};
