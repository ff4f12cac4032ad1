#include "ui/SystemColours.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>

QColor systemColour(int index)
{
    switch (index) {
    case COLOR_WINDOW:
        return QColor(0xFF, 0xFF, 0xFF);
    case COLOR_INACTIVECAPTION:
        return QColor(0xBF, 0xCD, 0xDB);
    default:
        return QColor(0xF0, 0xF0, 0xF0);
    }
}

void setFieldColour(QWidget* field, const QColor& colour)
{
    QPalette palette = field->palette();
    palette.setColor(QPalette::Base, colour);
    field->setPalette(palette);
    if (auto* combo = qobject_cast<QComboBox*>(field); combo && combo->lineEdit()) {
        QPalette editPalette = combo->lineEdit()->palette();
        editPalette.setColor(QPalette::Base, colour);
        combo->lineEdit()->setPalette(editPalette);
    }
}

QColor fieldColour(const QWidget* field)
{
    return field->palette().color(QPalette::Base);
}
