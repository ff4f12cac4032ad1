// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QMargins>
#include <QSize>

#include <functional>

class QWidget;

// Gives a dialog the size its content needs, and at least its designed size
// and minimum, but never more than the available area of its screen, frame
// included. A caption wider than the screen is elided at the right, keeping
// its full text in its tooltip. When the content still needs more room than
// the screen allows (a small or dense screen, long translations), the pages
// scroll (see PageScrollArea); only if the window's fixed parts alone are too
// big are captions elided further, until the content fits or the captions
// are short. resizeControls runs after each eliding step, for controls whose
// size the dialog sets from their captions.
void fitToScreen(QWidget* window, QSize designSize, QSize designMinimum,
                 const std::function<void()>& resizeControls = {});

// The screen's available area for a window's client area: the frame the
// window has, or its owner's when it has none yet, is not available (unbounded
// without a screen).
QSize availableArea(const QWidget* window);
QMargins windowFrame(const QWidget* window);

// Elides every caption of a window wider than maxWidth pixels (labels,
// buttons, check boxes, radio items, group titles, tabs, list items), keeping
// its full text in its tooltip. A caption changed since it was elided counts
// with its new text.
void elideCaptions(QWidget* window, int maxWidth);
