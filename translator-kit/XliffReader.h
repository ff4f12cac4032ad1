// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "translator-kit/TranslationFile.h"

// Reads XLIFF 1.0 to 1.2 as the kit, lconvert and po2xliff write it. Where a
// unit belongs, most trusted first: a resname "SECTION|key"; lconvert's
// <context context-type="x-gettext-msgctxt">; the group's resname with the
// unit's ("[SECTION]key", the kit's older form); po2xliff's po-reference
// context; the unit id. A unit is fuzzy when approved="no" or its target's
// state needs work; translate="no" units, <alt-trans> proposals and
// po2xliff's header unit (restype x-gettext-domain-header) are not entries.
// Units of a plural group (restype x-gettext-plurals) are marked plural.
//
// Before the XML parser sees the text, a linear scan bounds it: elements
// nested at most kXliffMaxDepth deep, at most kXliffMaxAttributes attributes
// on one element, and no document type declaration (XLIFF has none; entity
// declarations could make a small file large). Element text is gathered
// without recursion. Another root element than <xliff>, or a version other
// than 1.x, is refused by name.
inline constexpr int kXliffMaxDepth = 64;
inline constexpr int kXliffMaxAttributes = 64;

TranslationFile readXliff(const QString& text);
