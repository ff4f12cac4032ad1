#pragma once

#include <QSize>

#include <functional>

class QWidget;

// Gives a dialog the size its content needs, and at least its designed size
// and minimum, but never more than the available area of its screen. When
// the content needs more room than the screen allows (a catalogue with
// overlong texts), captions are elided at the right, each keeping its full
// text in its tooltip, until the content fits or the captions are short.
// resizeControls runs after each eliding step, for controls whose size the
// dialog sets from their captions.
void fitToScreen(QWidget* window, QSize designSize, QSize designMinimum,
                 const std::function<void()>& resizeControls = {});

// The screen's available area for a window (unbounded without a screen).
QSize availableArea(const QWidget* window);

// Elides every caption of a window wider than maxWidth pixels (labels,
// buttons, check boxes, radio items, group titles, tabs, list items), keeping
// its full text in its tooltip. A caption changed since it was elided counts
// with its new text.
void elideCaptions(QWidget* window, int maxWidth);
