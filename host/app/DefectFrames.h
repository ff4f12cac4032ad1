// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

class QImage;
class QWidget;

// Draws a red frame around every caption of the window that is clipped, runs
// into another control or lies outside its page, as far as it is visible in
// the picture (the current page, the parts always shown). picture is a
// windowPicture() of the window: its contents begin titleStripHeight() below
// the top. Returns the number of frames drawn.
int drawDefectFrames(QImage& picture, QWidget* window);
