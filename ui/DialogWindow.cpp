// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DialogWindow.h"

#include <QDialog>
#include <QGuiApplication>
#include <QPointer>
#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QWidget>

void setDialogIcon(QWidget* dialog, const QString& resource)
{
    dialog->setWindowIcon(QIcon(QPixmap(resource)));
}

void centreOnScreen(QWidget* window)
{
    if (const QScreen* screen = window->screen()) {
        QRect frame = window->frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
}

void followOwner(QWidget* dialog)
{
    // Without this a window takes the application's palette, not its owner's.
    dialog->setAttribute(Qt::WA_WindowPropagation);
    QWidget* owner = dialog->parentWidget();
    if (!owner)
        return;
    // Setting the parent again resolves the palette (and font) with the
    // attribute in place.
    dialog->setParent(owner, dialog->windowFlags());
    // A window takes the application's direction; an owner's own direction
    // is passed on explicitly.
    if (owner->layoutDirection() != QGuiApplication::layoutDirection())
        dialog->setLayoutDirection(owner->layoutDirection());
}

void endDialog(QDialog* dialog, int result)
{
    dialog->setResult(result);
    dialog->hide();
    const QPointer<QDialog> alive(dialog);
    if (result == QDialog::Accepted)
        emit dialog->accepted();
    else if (result == QDialog::Rejected)
        emit dialog->rejected();
    if (alive)
        emit dialog->finished(result);
}
