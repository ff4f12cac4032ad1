#include "ui/PlainTexts.h"

#include <QLabel>

void makeLabelsPlainText(QWidget* dialog)
{
    for (QLabel* label : dialog->findChildren<QLabel*>())
        label->setTextFormat(Qt::PlainText);
}
