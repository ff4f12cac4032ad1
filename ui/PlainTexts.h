// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QWidget;

// Makes every label of a dialog show its text as plain text. Captions come
// from a translator's catalogue, which is untrusted: a label left to guess
// the format would take a text that looks like markup as rich text, and rich
// text loads whatever local file an <img> names (a device file can exhaust
// memory or block the host for ever).
void makeLabelsPlainText(QWidget* dialog);
