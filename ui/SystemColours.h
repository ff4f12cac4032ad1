#pragma once

#include <QColor>

class QWidget;

// The two system colours by which the VLAN dialog marks whether a field
// applies: the window colour (index 5) and the inactive caption colour
// (index 3), as concrete colours that stand apart on Qt's default style.
constexpr int COLOR_INACTIVECAPTION = 3;
constexpr int COLOR_WINDOW = 5;

QColor systemColour(int index);

// Paints a field's background (palette role Base) in a colour; a combo box's
// text field follows. The field stays enabled and editable.
void setFieldColour(QWidget* field, const QColor& colour);
QColor fieldColour(const QWidget* field);
