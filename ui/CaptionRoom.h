#pragma once

#include <QSize>

class QPushButton;
class QWidget;

// The room a control's caption needs at the control's font: the text and the
// style's padding around it. Labels and check boxes or radio items with text
// take their size hint; push buttons their text and padding, without the
// minimum width some styles give every button; combo boxes their widest item
// and the arrow; group boxes their title. An invalid size for a control
// without a caption (edits, grids, blank check boxes).
QSize captionRoom(const QWidget* control);

// Gives a push button of a fixed designed size (already grown by the density
// factor) the width its caption needs, if that is more.
void fitButtonToCaption(QPushButton* button, QSize design);
