// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

class CaptionIndex;

// Complete catalogues of sections "QOS" and "VLAN": every key, each after a
// comment saying where its text appears.
//
// Some texts cannot stand as a plain entry:
//   - a key the dialogs use with two different English texts (a value would
//     replace both alike);
//   - a text with a line break (a catalogue line cannot hold one).
// The template writes them as key lines with an empty value, after a comment
// with the English text and the reason: the dialogs read an empty value as
// none, so the catalogue read back still shows exactly the built-in texts,
// and a tool that fills a template key by key (po2ini -t) finds every key.
// A value with blanks at either end is written in double quotes, which the
// reader removes.

// The English catalogue: read back, the dialogs show their built-in texts.
QString templateCatalogue(const CaptionIndex& index);

// A pseudo-translation of every text (see pseudoTranslate); a key with two
// English texts gets the pseudo-translation of the longer one; a text with a
// line break stays a commented entry (its one-line form would replace it).
QString pseudoCatalogue(const CaptionIndex& index, int expandPercent);
