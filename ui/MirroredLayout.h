// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QWidget;

// Right to left, a dialog is its left-to-right design mirrored. Qt's layouts
// place their items mirrored but leave two things as designed:
// - their margins: a cell designed with a margin on its left keeps it on the
//   left, and its content ends up a margin's width away from where a mirrored
//   dialog puts it (in the forwarding matrix, half a column from its heading);
// - a label's alignment follows the direction of its text, not of the
//   dialog: a Latin heading stays left-aligned in a right-to-left dialog, an
//   Arabic one right-aligned in a left-to-right dialog, and neither stands
//   over its column.
// This swaps the left and right margins of every layout whose widget is right
// to left and aligns every label to the side its widget's direction reads
// from, and undoes both when the direction is left to right again; the form's
// own margins and alignments are remembered the first time.
void mirrorLayout(QWidget* window);

// Mirrors the window now and again after each change of its layout direction.
void keepLayoutMirrored(QWidget* window);
