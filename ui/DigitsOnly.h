// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QLineEdit;

// Lets an edit take the digits 0 to 9 only, however the text arrives (typed,
// pasted, from an input method or set by the program); other text is
// refused as a whole. Cheaper than a pattern: the check is a scan of the
// text.
void acceptDigitsOnly(QLineEdit* edit);
