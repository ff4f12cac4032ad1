// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QWidget;

// Gives a dialog its designed face: Tahoma at a character height of 11 pixels
// at 96 pixels per inch (8.25 point). Where Tahoma is missing, a narrow sans
// serif takes its place, so captions and grid texts keep within the places the
// forms give them; the wide default faces would not.
void applyDialogFont(QWidget* dialog);
