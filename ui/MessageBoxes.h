#pragma once

#include <QMessageBox>
#include <QString>

class QWidget;

// The dialogs' message boxes: real modal QMessageBoxes run with exec().
// Each returns the button that closed the box (Escape or the close box give
// the box's escape button).

// Error icon, a single Close button.
QMessageBox::StandardButton showErrorClose(QWidget* parent, const QString& text);
// Error icon, OK and Cancel.
QMessageBox::StandardButton showErrorOkCancel(QWidget* parent, const QString& text);
// Question icon, Yes, No and Cancel.
QMessageBox::StandardButton askYesNoCancel(QWidget* parent, const QString& text);
