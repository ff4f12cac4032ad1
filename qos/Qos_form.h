// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "plugin/OduSwitchExport.h"
#include "core/QosConfig.h"
#include "ui_Qos_form.h"

#include <QDialog>
#include <memory>

class TIniFile;
class TQos_formPrivate;

/// \file
/// TQos_form, the QoS dialog.

/// The QoS dialog over a host's 40-byte QoS configuration array. It writes
/// through: each control's leave handler checks the entry, stores what it
/// accepts in the host's bytes at once and shows the stored value again, so
/// rejected input reverts. "&Ok" gives 1, "&Cancel", Escape, Enter and the
/// close box give 2; the array is never restored.
///
/// The controls come from Qos_form.ui and are public members under their
/// design names (Edit5, StringGrid2, RadioGroup3, ...), as are the handlers;
/// what else the dialog keeps is behind the pointer d.
///
/// Ownership: the host owns the array (cfgPole) and the catalogue (langIni).
/// The dialog keeps only pointers to them and uses both until it is destroyed
/// (every leave writes the array; the reset and the table reloads look texts
/// up), so both must outlive the dialog.
///
/// Lifetime: whenever the dialog closes it schedules its own deletion
/// (deleteLater), which runs the next time an event loop runs. So after exec()
/// returns, a host either
///   - deletes the dialog before anything runs an event loop again (no message
///     box, no processEvents(), no return to the main loop in between):
///     \code
///         auto* dlg = new TQos_form(owner, true, &catalogue, qos, &size);
///         const int result = dlg->exec();
///         delete dlg;               // the scheduled deletion is dropped
///     \endcode
///   - or holds it in a QPointer and uses it only while the pointer is set:
///     \code
///         QPointer<TQos_form> dlg = new TQos_form(owner, true, &catalogue, qos, &size);
///         const int result = dlg->exec();
///         QMessageBox::information(owner, title, text); // the dialog is deleted here
///         delete dlg;               // null by now: nothing happens
///     \endcode
/// A raw pointer kept across an event loop dangles. An Owner destroyed first
/// takes the dialog with it. A host may also destroy the dialog while it is
/// open, even from a timer while one of its message boxes is up: the box
/// closes with it and exec() returns 0.
///
/// Threads: the dialog is a widget; it is made, shown, used and destroyed
/// on the user-interface thread only.
class ODU_SWITCH_EXPORT TQos_form : public QDialog, public Ui::TQos_form
{
    Q_OBJECT

public:
    /// Reports 40 through cfgSize, replaces a never-configured array by the
    /// default image, loads every control from cfgPole and sets the captions
    /// from section "QOS" of langIni (the English ones when it has no file).
    TQos_form(QWidget* Owner, bool isLocal, TIniFile* langIni, unsigned char* cfgPole, int* cfgSize);
    /// Destroys the dialog and its controls; the host's array and catalogue stay untouched.
    ~TQos_form() override;

    // Loading the controls from the array.
    /// Loads every control from the array (the constructor does it; the reset button after
    /// writing the default image).
    void inicializuj_ovladaci_prvky();
    /// Fills the tag priority remapping grid of LINE 2 from the array.
    void Init_VlanRemapLine2();
    /// Fills the tag priority remapping grid of LINE 3 from the array.
    void Init_VlanRemapLine3();
    /// Fills the tag priority remapping grid of LINE 4 from the array.
    void Init_VlanRemapLine4();
    /// Fills the 802.1Q priority to queue grid from the array.
    void Init_VlanQueueMapp();
    /// Fills the DSCP to queue grid from the array.
    void Init_DscpQueueMapp();
    /// Writes the QoS default image over the array (the controls are not
    /// reloaded here).
    void inic_na_vychozi_cfg();

    // Handlers.
    /// Key filter of the number fields and grids: drops every character but the digits and
    /// backspace.
    void Edit1KeyPress(QObject* Sender, QChar& Key);
    /// Leave handler of the port priorities (Edit5..Edit7): stores the accepted ones (0..7) and
    /// shows the stored values again.
    void Edit5Exit(QObject* Sender);
    /// Leave handler of the queue weights (Edit1..Edit4): stores all four when every one is at
    /// least 1 and their sum at most 128, else shows the weights error box (letters and
    /// negative numbers revert silently); then shows the stored weights again.
    void Edit1Exit(QObject* Sender);
    /// Leave handler of the 802.1Q priority to queue grid: stores the accepted entries (0..3)
    /// and shows the stored table again.
    void StringGrid1Exit(QObject* Sender);
    /// Leave handler of the DSCP to queue grid: stores the accepted entries (0..3) of both
    /// halves and shows the stored table again.
    void StringGrid2Exit(QObject* Sender);
    /// Leave handler of the LINE 2 remapping grid: stores the accepted entries (0..7) and shows
    /// the stored table again.
    void StringGrid3Exit(QObject* Sender);
    /// Leave handler of the LINE 3 remapping grid, as StringGrid3Exit.
    void StringGrid4Exit(QObject* Sender);
    /// Leave handler of the LINE 4 remapping grid, as StringGrid3Exit.
    void StringGrid5Exit(QObject* Sender);
    /// Leave handler of LINE 2's priority resolution: stores the mode whose item the box shows;
    /// a text that names no mode keeps the stored one.
    void ComboBox1Exit(QObject* Sender);
    /// Leave handler of LINE 3's priority resolution, as ComboBox1Exit.
    void ComboBox2Exit(QObject* Sender);
    /// Leave handler of LINE 4's priority resolution, as ComboBox1Exit.
    void ComboBox3Exit(QObject* Sender);
    /// Leave handler of the QoS main switch: stores the selected item.
    void RadioGroup1Exit(QObject* Sender);
    /// Leave handler of channel 1's queue scheduling: stores the selected item.
    void RadioGroup2Exit(QObject* Sender);
    /// Leave handler of channel 2's queue scheduling: stores the selected item.
    void RadioGroup3Exit(QObject* Sender);
    /// The reset button: after the user confirms (Yes of Yes, No, Cancel), writes the default
    /// image over the array and loads the controls again.
    void Button2Click(QObject* Sender);
    /// Runs once whenever the dialog closes (either button, Escape, Enter,
    /// the close box): clears Qos_form1 and schedules the dialog's deletion.
    void FormClose(QObject* Sender);

    /// Every way of closing ends here; a visible dialog that closes runs
    /// FormClose before QDialog::done, whose signals may delete the dialog.
    void done(int result) override;
    /// Escape and the close box cancel with 2.
    void reject() override;

protected:
    /// The dialog opens centred on the screen, not over its owner.
    void showEvent(QShowEvent* event) override;

private:
    // What the dialog keeps (the host's array and catalogue, the reset
    // confirmation text) and its own helpers (Qos_form.cpp). A host compiles
    // the size of this class into its code, so it holds no more than its
    // bases and this pointer, whatever the dialog comes to keep.
    const std::unique_ptr<TQos_formPrivate> d;
};
