// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QString>
#include <QStringList>

// The geometry part of `check`: the real dialogs, built offscreen with the
// catalogue, examined for captions that are clipped, run into another control
// or lie outside their page.
//
// Qt reads the font density once, when the application starts, so each
// density is examined by a child process of this program (the hidden
// sub-command kMeasureCommand) started with QT_FONT_DPI set, on an offscreen
// screen of kScreenSize: a modest laptop screen, which the dialogs must fit
// at these densities with translated texts too.
//
// A catalogue whose texts are mostly of a right-to-left script is examined
// right to left as well (the child lays the dialogs out mirrored).

inline constexpr const char* kMeasureCommand = "measure-captions";
inline constexpr int kCheckedDensities[] = {96, 120, 144};
inline constexpr int kScreenWidth = 1280;
inline constexpr int kScreenHeight = 720;
// The prefix of a line that reports and does not count as a finding.
inline constexpr const char* kNotePrefix = "note: ";

struct DensityReport
{
    int dpi = 0;
    QStringList defects; // one line each
    int counted = 0;     // defects that are not notes
    QString error;       // why the examination could not be made; empty when it was
};

// Runs the child process for one density and gathers what it reports.
DensityReport measureAtDensity(const QString& program, const QString& catalogue, int dpi, bool rightToLeft = false);

// The child's work: builds the QoS dialog, the VLAN dialog and the VID entry
// dialog with the catalogue (empty: English texts), laid out right to left
// when asked, prints one line per
// defect to standard output. Returns ToolDone when there is none (notes
// aside), ToolFindings otherwise.
int measureCaptions(const QString& catalogue, bool rightToLeft);
