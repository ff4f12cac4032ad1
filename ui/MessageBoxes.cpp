// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/MessageBoxes.h"

#include "ui/DialogWindow.h"

#include <QPointer>

namespace {

QMessageBox::StandardButton run(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape)
{
    const QPointer<QMessageBox> box = new QMessageBox(icon, title, text, buttons, parent);
    box->setObjectName(QStringLiteral("messageBox"));
    followOwner(box);
    box->setTextFormat(Qt::PlainText);
    box->setEscapeButton(escape);
    box->setDefaultButton(buttons.testFlag(QMessageBox::Yes)  ? QMessageBox::Yes
                          : buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok
                                                              : QMessageBox::Close);
    box->exec();
    if (!box)
        return QMessageBox::NoButton;
    QAbstractButton* clicked = box->clickedButton();
    const QMessageBox::StandardButton answer = clicked ? box->standardButton(clicked) : escape;
    delete box;
    return answer;
}

} // namespace

QMessageBox::StandardButton showErrorClose(QWidget* parent, const QString& text)
{
    return run(parent, QMessageBox::Critical, QStringLiteral("Error"), text, QMessageBox::Close,
               QMessageBox::Close);
}

QMessageBox::StandardButton showErrorOkCancel(QWidget* parent, const QString& text)
{
    return run(parent, QMessageBox::Critical, QStringLiteral("Error"), text,
               QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
}

QMessageBox::StandardButton askYesNoCancel(QWidget* parent, const QString& text)
{
    return run(parent, QMessageBox::Question, QStringLiteral("Confirm"), text,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel);
}
