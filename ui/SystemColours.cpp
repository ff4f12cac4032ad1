#include "ui/SystemColours.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

QColor systemColour(SystemColour which)
{
    switch (which) {
    case SystemColour::Window:
        return QColor(0xFF, 0xFF, 0xFF);
    case SystemColour::InactiveCaption:
        return QColor(0xBF, 0xCD, 0xDB);
    }
    return QColor(0xF0, 0xF0, 0xF0);
}

namespace {

// A palette of its own only where the colour differs from the natural one.
void setBase(QWidget* w, const QColor& colour)
{
    if (w->palette().color(QPalette::Base) == colour)
        return;
    if (w->testAttribute(Qt::WA_SetPalette)) {
        w->setPalette(QPalette()); // back to the palette it inherits
        if (w->palette().color(QPalette::Base) == colour)
            return;
    }
    QPalette palette = w->palette();
    palette.setColor(QPalette::Base, colour);
    w->setPalette(palette);
}

} // namespace

void setFieldColour(QWidget* field, const QColor& colour)
{
    setBase(field, colour);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit())
        setBase(combo->lineEdit(), colour);
}

QColor fieldColour(const QWidget* field)
{
    return field->palette().color(QPalette::Base);
}
