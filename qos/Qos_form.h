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

// The QoS dialog over a host's 40-byte QoS configuration array. It writes
// through: each control's leave handler checks the entry, stores what it
// accepts in the host's bytes at once and shows the stored value again, so
// rejected input reverts. "&Ok" gives 1, "&Cancel", Escape, Enter and the
// close box give 2; the array is never restored.
//
// The controls come from Qos_form.ui and are public members under their
// design names (Edit5, StringGrid2, RadioGroup3, ...), as are the handlers;
// what else the dialog keeps is behind the pointer d.
//
// Ownership: the host owns the array (cfgPole) and the catalogue (langIni).
// The dialog keeps only pointers to them and uses both until it is destroyed
// (every leave writes the array; the reset and the table reloads look texts
// up), so both must outlive the dialog.
//
// Lifetime: whenever the dialog closes it schedules its own deletion
// (deleteLater), which runs the next time an event loop runs. So after exec()
// returns, a host either
//   - deletes the dialog before anything runs an event loop again (no message
//     box, no processEvents(), no return to the main loop in between):
//         auto* dlg = new TQos_form(owner, true, &catalogue, qos, &size);
//         const int result = dlg->exec();
//         delete dlg;               // the scheduled deletion is dropped
//   - or holds it in a QPointer and uses it only while the pointer is set:
//         QPointer<TQos_form> dlg = new TQos_form(owner, true, &catalogue, qos, &size);
//         const int result = dlg->exec();
//         QMessageBox::information(owner, title, text); // the dialog is deleted here
//         delete dlg;               // null by now: nothing happens
// A raw pointer kept across an event loop dangles. An Owner destroyed first
// takes the dialog with it. A host may also destroy the dialog while it is
// open, even from a timer while one of its message boxes is up: the box
// closes with it and exec() returns 0.
class ODU_SWITCH_EXPORT TQos_form : public QDialog, public Ui::TQos_form
{
    Q_OBJECT

public:
    // Reports 40 through cfgSize, replaces a never-configured array by the
    // default image, loads every control from cfgPole and sets the captions
    // from section "QOS" of langIni (the English ones when it has no file).
    TQos_form(QWidget* Owner, bool isLocal, TIniFile* langIni, unsigned char* cfgPole, int* cfgSize);
    ~TQos_form() override;

    // Loading the controls from the array.
    void inicializuj_ovladaci_prvky();
    void Init_VlanRemapLine2();
    void Init_VlanRemapLine3();
    void Init_VlanRemapLine4();
    void Init_VlanQueueMapp();
    void Init_DscpQueueMapp();
    // Writes the QoS default image over the array (the controls are not
    // reloaded here).
    void inic_na_vychozi_cfg();

    // Handlers.
    void Edit1KeyPress(QObject* Sender, QChar& Key);
    void Edit5Exit(QObject* Sender);
    void Edit1Exit(QObject* Sender);
    void StringGrid1Exit(QObject* Sender);
    void StringGrid2Exit(QObject* Sender);
    void StringGrid3Exit(QObject* Sender);
    void StringGrid4Exit(QObject* Sender);
    void StringGrid5Exit(QObject* Sender);
    void ComboBox1Exit(QObject* Sender);
    void ComboBox2Exit(QObject* Sender);
    void ComboBox3Exit(QObject* Sender);
    void RadioGroup1Exit(QObject* Sender);
    void RadioGroup2Exit(QObject* Sender);
    void RadioGroup3Exit(QObject* Sender);
    void Button2Click(QObject* Sender);
    // Runs once whenever the dialog closes (either button, Escape, Enter,
    // the close box): clears Qos_form1 and schedules the dialog's deletion.
    void FormClose(QObject* Sender);

    // Every way of closing ends here; a visible dialog that closes runs
    // FormClose before QDialog::done, whose signals may delete the dialog.
    void done(int result) override;
    // Escape and the close box cancel with 2.
    void reject() override;

protected:
    // The dialog opens centred on the screen, not over its owner.
    void showEvent(QShowEvent* event) override;

private:
    // What the dialog keeps (the host's array and catalogue, the reset
    // confirmation text) and its own helpers (Qos_form.cpp). A host compiles
    // the size of this class into its code, so it holds no more than its
    // bases and this pointer, whatever the dialog comes to keep.
    const std::unique_ptr<TQos_formPrivate> d;
};
