// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DialogFont.h"

#include <QFont>
#include <QWidget>

void applyDialogFont(QWidget* dialog)
{
    QFont font = dialog->font();
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setPointSizeF(8.25);
    dialog->setFont(font);
}
