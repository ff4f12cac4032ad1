#pragma once

#include <QChar>
#include <QObject>

#include <functional>

class QWidget;

// A hook run for each character typed into a control, before the control
// takes it: the handler may replace the character or set it to QChar() to
// drop it. Keys that type no character (Enter, Escape, Tab, arrows) and
// pasting do not pass through it, so Enter and Escape still reach the dialog.
using KeyPressHandler = std::function<void(QObject* sender, QChar& key)>;

void installKeyFilter(QWidget* control, KeyPressHandler handler);

// Applies a handler to a key press; true when the press must be dropped.
bool filterKeyPress(QObject* sender, class QKeyEvent* event, const KeyPressHandler& handler);
