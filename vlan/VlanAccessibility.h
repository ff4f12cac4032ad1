// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class TForm3;
class TVlan_form;

// Makes the VLAN dialog usable from the keyboard and by assistive technology:
// the Tab order (the mode switch, the page tabs, each page in reading order
// with the Global page column by column, then the button strip), an
// accessible name for every input control built from the captions the dialog
// has looked up, Enter in a drop-down list cancelling at the first press,
// Space on a cell of the static VLAN grid acting as a click on it, and the
// focus shown from the moment the dialog opens. The constructor calls it once
// its captions are set.
void makeVlanDialogAccessible(TVlan_form& form);

// The same for the VID entry dialog: the field named by its label.
void makeVidEntryAccessible(TForm3& form);
