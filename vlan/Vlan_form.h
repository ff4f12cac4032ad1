// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "plugin/OduSwitchExport.h"
#include "ui_Vlan_form.h"
#include "core/StaticVlanTable.h"
#include "core/VlanConfig.h"

#include <QDialog>

#include <memory>

class TIniFile;
class TVlan_formPrivate;

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
// The controls (from Vlan_form.ui) and the handlers are public members under
// their design names; what else the dialog keeps is behind the pointer d.
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
    // The static VLAN table and its entry count (vlanCount), as the dialog holds them.
    const VlanPole& vlanPole() const;
    unsigned short vlanEntryCount() const;

    // ---- Set and Default -------------------------------------------------
    void Button3Click(QObject* Sender);
    void Button5Click(QObject* Sender);

    // Escape and the close box end the dialog with the cancel result 2.
    void reject() override;
    // Ends the modal call; a host may delete the dialog from the signals it emits.
    void done(int result) override;

    // ---- The array's accessors, over the host's array ---------------------
    void set_cfg_pole_version(unsigned char v);
    unsigned char get_ingress_policy(tPortik p) const;
    void set_ingress_policy(tPortik p, char v);
    unsigned char get_remove_1PT() const;
    void set_remove_1PT(char v);
    unsigned char get_vlan_mode() const;
    void set_vlan_mode(char v);
    unsigned char get_force_DefVID(tPortik p) const;
    void set_force_DefVID(tPortik p, char v);
    unsigned char get_doubleTag_mode(tPortik p) const;
    void set_doubleTag_mode(tPortik p, char v);
    unsigned char get_provEth_type() const;
    void set_provEth_type(char v);
    unsigned short get_Default_VID(tPortik p) const;
    void set_Default_VID(tPortik p, unsigned short vid);
    unsigned short get_pocet_vlan() const;
    void set_pocet_vlan(unsigned short n);
    // CheckBox7..CheckBox18 from the array (each box that changes runs its
    // rule), and back.
    void load_Port_FWD();
    void save_Port_FWD();

    // The unit facts as the constructor kept them.
    bool hasLine4() const;
    bool modem2Usable() const;

protected:
    // The dialog opens centred on the screen, not over its owner.
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Everything else the dialog keeps and its own helpers (Vlan_form.cpp).
    // A host compiles the size of this class into its code, so it holds no
    // more than its bases and this pointer, whatever the dialog comes to keep.
    const std::unique_ptr<TVlan_formPrivate> d;
};
