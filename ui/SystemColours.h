#pragma once

#include <QColor>

class QWidget;

// The two system colours by which the VLAN dialog marks whether a field
// applies, under their classic system colour indexes: the window colour (5)
// and the inactive caption colour (3).
enum class SystemColour { InactiveCaption = 3, Window = 5 };

// The colour as a concrete colour that stands apart on Qt's default style.
QColor systemColour(SystemColour which);

// Paints a field's background (palette role Base) in a colour; a combo box's
// text field follows. The field stays enabled and editable. A field whose
// colour is the one it would have anyway keeps no palette of its own, so it
// draws like every other field (and shares their cached pixmaps).
void setFieldColour(QWidget* field, const QColor& colour);
QColor fieldColour(const QWidget* field);
