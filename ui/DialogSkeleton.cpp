// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DialogSkeleton.h"

#include "ui/CaptionRoom.h"
#include "ui/Density.h"
#include "ui/DialogFont.h"
#include "ui/DialogStyle.h"
#include "ui/DialogWindow.h"
#include "ui/MirroredLayout.h"
#include "ui/PageScroll.h"
#include "ui/PlainTexts.h"
#include "ui/ScreenFit.h"
#include "ui/StringGrid.h"

#include <QDialog>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

DialogSkeleton::DialogSkeleton(QDialog* dialog)
    : m_dialog(dialog)
{
    applyDialogFont(dialog);
}

void DialogSkeleton::dress(const QString& icon, void (*registerResources)(), Qt::WindowFlags flags,
                           QTabWidget* pages)
{
    m_designSize = m_dialog->size();
    m_designMinimum = m_dialog->minimumSize();
    m_designMaximum = m_dialog->maximumSize();
    registerResources();
    setDialogIcon(m_dialog, icon);
    makeLabelsPlainText(m_dialog);
    followOwner(m_dialog);
    m_dialog->setWindowFlags(flags);
    useDialogStyle(m_dialog);
    if (pages)
        pages->tabBar()->setUsesScrollButtons(false);
}

float DialogSkeleton::density() const
{
    return densityFactor(m_dialog);
}

int DialogSkeleton::scaled(int designSize) const
{
    return scaledSize(designSize, density());
}

QSize DialogSkeleton::scaled(QSize designSize) const
{
    const float f = density();
    const auto one = [f](int size) { return size < QWIDGETSIZE_MAX ? scaledSize(size, f) : size; };
    return QSize(one(designSize.width()), one(designSize.height()));
}

void DialogSkeleton::scaleLimits(QWidget* control) const
{
    if (density() == 1.0f)
        return;
    const QSize min = scaled(control->minimumSize());
    const QSize max = scaled(control->maximumSize());
    control->setMinimumSize(min);
    control->setMaximumSize(max);
}

void DialogSkeleton::scaleColumns(StringGrid* grid) const
{
    for (int c = 0; c < grid->columnCount(); ++c)
        grid->setColumnWidth(c, scaled(grid->columnWidth(c)));
}

QSize DialogSkeleton::clientMinimum(QSize windowMinimum, QSize designFrame) const
{
    const QMargins frame = windowFrame(m_dialog);
    if (frame.isNull())
        return scaled(windowMinimum - designFrame);
    return scaled(windowMinimum) - QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

void DialogSkeleton::keepButtonsFitted(std::initializer_list<QPushButton*> buttons)
{
    for (QPushButton* button : buttons)
        m_buttons.push_back({button, button->minimumSize()});
}

void DialogSkeleton::fitButtons() const
{
    for (const auto& [button, design] : m_buttons)
        fitButtonToCaption(button, scaled(design));
}

void DialogSkeleton::place(QSize size, QSize minimum, Border border)
{
    if (!m_mirrored) {
        keepLayoutMirrored(m_dialog);
        m_mirrored = true;
    }
    fitButtons();
    if (border == Border::Fixed)
        m_dialog->setMinimumSize(0, 0);
    m_dialog->setMaximumSize(scaled(m_designMaximum));
    fitToScreen(m_dialog, size.isValid() ? size : scaled(m_designSize),
                minimum.isValid() ? minimum : scaled(m_designMinimum), [this] { fitButtons(); });
    if (border == Border::Fixed)
        m_dialog->setFixedSize(m_dialog->size());
}

void DialogSkeleton::shown() const
{
    centreOnScreen(m_dialog);
}
