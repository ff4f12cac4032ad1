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

// An editable combo box shows its colour in its text field only: the box
// itself keeps the palette every box shares, so the style draws all of them
// from one cached picture.
QWidget* colouredPart(const QWidget* field)
{
    if (auto* combo = qobject_cast<const QComboBox*>(field); combo && combo->lineEdit())
        return combo->lineEdit();
    return const_cast<QWidget*>(field);
}

} // namespace

void setFieldColour(QWidget* field, const QColor& colour)
{
    QWidget* part = colouredPart(field);
    if (part != field)
        part->setAutoFillBackground(true);
    setBase(part, colour);
}

QColor fieldColour(const QWidget* field)
{
    return colouredPart(field)->palette().color(QPalette::Base);
}
