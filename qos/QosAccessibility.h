// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class TQos_form;

// Makes the QoS dialog usable from the keyboard and by assistive technology:
// the Tab order (the button strip first, then the page tabs and each page in
// reading order), an accessible name for every input control built from the
// captions the dialog has looked up, Enter in a drop-down list cancelling at
// the first press, and the focus shown from the moment the dialog opens.
// The constructor calls it once its captions are set.
void makeQosDialogAccessible(TQos_form& form);
