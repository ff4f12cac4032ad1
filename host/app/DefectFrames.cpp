// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/DefectFrames.h"

#include "host/app/Screenshots.h"
#include "translator-kit/CaptionDefects.h"

#include <QImage>
#include <QPainter>
#include <QWidget>

int drawDefectFrames(QImage& picture, QWidget* window)
{
    int frames = 0;
    QPainter painter(&picture);
    painter.translate(0, titleStripHeight(window));
    painter.setPen(QPen(QColor(220, 0, 0), 2));
    painter.setBrush(Qt::NoBrush);
    for (const CaptionDefect& defect : findCaptionDefects(window)) {
        if (!defect.widget || !defect.widget->isVisible())
            continue; // on another page
        painter.drawRect(defect.area.adjusted(-1, -1, 1, 1));
        ++frames;
    }
    return frames;
}
