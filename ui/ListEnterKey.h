// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QComboBox;

// Enter in a drop-down list whose list is closed belongs to the dialog (it
// presses the default button), at the first press. Without this the list's
// editable field may take the first Enter to accept its inline completion.
// While the list or a completion list is open, Enter still picks the item.
void passEnterToDialog(QComboBox* box);
