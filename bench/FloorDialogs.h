// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// The toolkit's floor: bare QDialogs holding the same number and kinds of Qt
// widgets as the two dialogs (tab pages, group boxes with radio buttons,
// tables of the same shape with an item in every cell, edits, editable combo
// boxes with their items, check boxes, labels, buttons, layouts), with their
// texts set directly and nothing else: no catalogue, no array, no handlers.

#include <QDialog>

// vlanGridRows: the static VLAN grid's row count (entries + 1).
QDialog* makeQosFloor();
QDialog* makeVlanFloor(int vlanGridRows);
