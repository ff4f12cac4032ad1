// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>

// A caption as assistive technology should say it: accelerator marks removed
// ("&&" stands for one "&"), surrounding blanks and a closing colon dropped.
// Accessible names are built from the captions a dialog has looked up, so a
// translated dialog is read out in its own language.
QString spokenCaption(const QString& caption);

// Two captions joined into one name: "<first> <second>" ("LINE2 Default VID").
QString spokenPair(const QString& first, const QString& second);

// A caption qualified by another: "<caption>, <qualifier>" ("Force Default
// VID, LINE3").
QString spokenQualified(const QString& caption, const QString& qualifier);
