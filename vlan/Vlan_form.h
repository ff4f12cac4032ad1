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

/// \file
/// TVlan_form, the VLAN dialog.

/// The VLAN dialog: the modal window in which the user edits a unit's 82-byte
/// VLAN configuration array. The constructor reports the size, replaces a
/// blank array by the default image and loads every control from the array;
/// after that the array is written only by "&Set" (Button3Click), which ends
/// the dialog with 1 once every check passes, and by "De&fault" (Button5Click).
/// Cancel, Escape, Enter outside a button and the close box end it with 2.
/// The dialog never destroys itself: the host (or the Owner, when the Owner is
/// destroyed) does, after the modal call returns or at any moment before;
/// a message box or VID entry dialog that is open then closes with it.
///
/// Ownership: the host owns the array (cfgPole) and the catalogue (langIni).
/// The dialog keeps only pointers to them and uses both until it is destroyed
/// (the catalogue for every message, the grid texts after each click and the
/// VID entry dialog; the array for Set and Default), so both must outlive the
/// dialog. The unit facts and the static VLAN table with its count are the
/// dialog's own copies, so two dialogs never disturb each other.
///
/// The controls (from Vlan_form.ui) and the handlers are public members under
/// their design names; what else the dialog keeps is behind the pointer d.
///
/// Threads: the dialog is a widget; it is made, shown, used and destroyed
/// on the user-interface thread only.
class ODU_SWITCH_EXPORT TVlan_form : public QDialog, public Ui::TVlan_form
{
    Q_OBJECT

public:
    /// Keeps the pointers and the unit facts, reports 82 through \p cfgSize, replaces a
    /// never-configured array by the default image, sets the captions from section "VLAN" of
    /// \p langIni and loads every control from \p cfgPole. \p oduCapabilities bit 3
    /// (kLine4CapabilityBit) says the unit has a LINE 4 port; the second radio channel is
    /// usable when \p modem2Present is not 0 and \p modem2Mode is not 100.
    TVlan_form(QWidget* Owner, bool isLocal, TIniFile* langIni, unsigned char* cfgPole,
               int* cfgSize, bool vlanActiveInEthernet, char modem2Present,
               char onePlusZeroInactive, char modem2Mode, char oduCapabilities);
    /// Destroys the dialog, its controls and a message box or VID entry dialog it has open; the
    /// host's array and catalogue stay untouched.
    ~TVlan_form() override;

    // ---- Loading, colouring, mode switch ---------------------------------
    /// Loads every control from the array: mode and colours, Default VIDs, lists, the static
    /// VLAN table and its grid, the forwarding matrix and the three options.
    void nastav_ovladaci_prvky();
    /// Enables the labels and colours the fields that apply in \p mode (0 Disable, 1 Single
    /// Tag, 2 Double Tag); they all stay editable.
    void nastav_barvy(char mode);
    /// The mode switch: colours the fields and fills the grid for the selected mode.
    void RadioGroup1Click(QObject* Sender);
    /// The NMS row of the forwarding matrix; run on every change of state.
    void CheckBox13Click(QObject* Sender);
    /// NMS to LINE 3, as CheckBox13Click.
    void CheckBox14Click(QObject* Sender);
    /// NMS to LINE 4, as CheckBox13Click; never ticked on a unit without LINE 4.
    void CheckBox15Click(QObject* Sender);
    /// NMS to Modem 1: ticking it clears NMS to Modem 2.
    void CheckBox16Click(QObject* Sender);
    /// NMS to Modem 2: ticking it clears NMS to Modem 1.
    void CheckBox17Click(QObject* Sender);

    // ---- Static VLAN table ---------------------------------------------
    /// Fills the static VLAN grid from the table with the texts of \p mode, looked up in the
    /// catalogue now.
    void napln_mrizku(char mode);
    /// Whether an entry of the table has VLAN ID \p vid.
    bool VID_uz_existuje(short vid) const;
    /// A click on the static VLAN grid: the VID column asks for a new VLAN ID, the membership
    /// columns step the port's membership (clickMembershipCell), the delete column marks or
    /// unmarks the entry.
    void StringGrid1MouseUp(QObject* Sender, Qt::MouseButton Button, Qt::KeyboardModifiers Shift,
                            int X, int Y);
    /// "&Add New VLAN": asks for a VLAN ID in the VID entry dialog and adds an entry; with 22
    /// entries it shows an error box instead.
    void Button1Click(QObject* Sender); ///< "&Add New VLAN"
    /// "D&elete VLAN": removes the marked entries, unless every entry or none is marked.
    void Button2Click(QObject* Sender); ///< "D&elete VLAN"
    /// Unpacks the array's first \p n static VLAN slots into the table (unpackVlanPole).
    void cfgPole2vlanPole(unsigned short n);
    /// Packs the table's first \p n entries into the array (packVlanPole).
    void vlanPole2cfgPole(unsigned short n);
    /// The static VLAN table and its entry count (vlanCount), as the dialog holds them.
    const VlanPole& vlanPole() const;
    /// The number of entries of the table (vlanCount).
    unsigned short vlanEntryCount() const;

    // ---- Set and Default -------------------------------------------------
    /// "&Set": checks and writes the settings (commitVlanSettings); ends the dialog with 1 when
    /// every check passes, else shows the one error box and stays open with what was written so
    /// far in the array.
    void Button3Click(QObject* Sender);
    /// "De&fault": after the user confirms, writes the default image over the array and loads
    /// the controls again.
    void Button5Click(QObject* Sender);

    /// Escape and the close box end the dialog with the cancel result 2.
    void reject() override;
    /// Ends the modal call; a host may delete the dialog from the signals it emits.
    void done(int result) override;

    // ---- The array's accessors, over the host's array ---------------------
    /// The array's accessors, over the host's array: see VlanConfigArray.
    void set_cfg_pole_version(unsigned char v);
    /// VlanConfigArray::get_ingress_policy over the host's array.
    unsigned char get_ingress_policy(tPortik p) const;
    /// VlanConfigArray::set_ingress_policy over the host's array.
    void set_ingress_policy(tPortik p, char v);
    /// VlanConfigArray::get_remove_1PT over the host's array.
    unsigned char get_remove_1PT() const;
    /// VlanConfigArray::set_remove_1PT over the host's array.
    void set_remove_1PT(char v);
    /// VlanConfigArray::get_vlan_mode over the host's array.
    unsigned char get_vlan_mode() const;
    /// VlanConfigArray::set_vlan_mode over the host's array.
    void set_vlan_mode(char v);
    /// VlanConfigArray::get_force_DefVID over the host's array.
    unsigned char get_force_DefVID(tPortik p) const;
    /// VlanConfigArray::set_force_DefVID over the host's array.
    void set_force_DefVID(tPortik p, char v);
    /// VlanConfigArray::get_doubleTag_mode over the host's array.
    unsigned char get_doubleTag_mode(tPortik p) const;
    /// VlanConfigArray::set_doubleTag_mode over the host's array.
    void set_doubleTag_mode(tPortik p, char v);
    /// VlanConfigArray::get_provEth_type over the host's array.
    unsigned char get_provEth_type() const;
    /// VlanConfigArray::set_provEth_type over the host's array.
    void set_provEth_type(char v);
    /// VlanConfigArray::get_Default_VID over the host's array.
    unsigned short get_Default_VID(tPortik p) const;
    /// VlanConfigArray::set_Default_VID over the host's array.
    void set_Default_VID(tPortik p, unsigned short vid);
    /// VlanConfigArray::get_pocet_vlan over the host's array.
    unsigned short get_pocet_vlan() const;
    /// VlanConfigArray::set_pocet_vlan over the host's array.
    void set_pocet_vlan(unsigned short n);
    /// CheckBox7..CheckBox18 from the array (each box that changes runs its
    /// rule), and back.
    void load_Port_FWD();
    /// Writes CheckBox7..CheckBox18 into the array's port forwarding bits.
    void save_Port_FWD();

    /// The unit facts as the constructor kept them.
    bool hasLine4() const;
    /// Whether the unit's second radio channel is usable (unitModem2Usable).
    bool modem2Usable() const;

protected:
    /// The dialog opens centred on the screen, not over its owner.
    void showEvent(QShowEvent* event) override;
    /// Works the field colours out again when the palette changes.
    void changeEvent(QEvent* event) override;

private:
    // Everything else the dialog keeps and its own helpers (Vlan_form.cpp).
    // A host compiles the size of this class into its code, so it holds no
    // more than its bases and this pointer, whatever the dialog comes to keep.
    const std::unique_ptr<TVlan_formPrivate> d;
};
