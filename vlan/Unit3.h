// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "ui_Unit3.h"
#include "ui/DialogSkeleton.h"

#include <QDialog>
#include <QString>

class TIniFile;

// The small modal dialog in which the user types one VLAN ID. The VLAN dialog
// creates one each time it asks for a VID, shows it modally and destroys it.
// The result is 1 only when a VID from 1 to 4094 was accepted and written to
// the caller's variable; Cancel, Escape and the close box give 2.
class TForm3 : public QDialog, public Ui::TForm3
{
    Q_OBJECT

public:
    TForm3(QWidget* Owner, TIniFile* langIni, short vid, short* vidOut);

    // The focus enters the edit field from another control (Tab, a click, an
    // accelerator; also as the dialog opens, when the line is empty anyway):
    // the status line is emptied. The window being activated, at any time,
    // is no entering of the field.
    void Edit1Enter(QObject* Sender);
    // OK: converts and range-checks the typed VID.
    void Button1Click(QObject* Sender);

    // Escape and the close box end the dialog with the cancel result 2.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The status line shows a message; the window grows when it needs to.
    void showStatus(const QString& text);
    // A fixed size: what the controls need, at least the design grown by the
    // density factor, at most the screen.
    void fitWindow();

    DialogSkeleton m_skeleton;
    short* vidOut;
};

// The out-of-range message, one for all VID entry dialogs: empty until the
// first dialog is built, then set again by every construction.
extern QString vidOutOfRangeText;
