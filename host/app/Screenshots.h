// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include "host/app/UnitState.h"

#include <QImage>
#include <QString>
#include <QStringList>

class QWidget;

// The screenshot mode: both dialogs opened over an unconfigured unit (so they
// show their default images, changed as presetVlan does when asked), every page drawn into a PNG file, plus one of
// the VID entry dialog. This is how a translator previews a catalogue.

struct ScreenshotRequest
{
    QString dir;       // an existing, writable folder
    QString catalogue; // empty: English texts
    bool remote = false;
    bool markDefects = false; // red frames around ill-fitting captions
    UnitFacts facts;
    // The dialogs' owner (a window of the host, never shown) takes this
    // direction, whatever the application's; Auto: the application's.
    Qt::LayoutDirection ownerDirection = Qt::LayoutDirectionAuto;
    int vlanMode = -1;        // the VLAN mode to open in (presetVlan); -1 the default image's
    bool sampleTable = false; // a few static VLAN entries (presetVlan)
};

struct ScreenshotResult
{
    QStringList files; // absolute paths in the order written
    QString error;     // empty on success
};

// Needs a QApplication. Writes qos-page1.png ..., vlan-page1.png ... and
// vid-entry.png into the folder (overwriting older pictures of those names).
ScreenshotResult takeScreenshots(const ScreenshotRequest& request);

// A picture of a top-level widget as it looks on screen, with a strip above
// the window's contents that carries its title (translated titles are part of
// what a translator checks). Width: the widget's; height: the widget's plus
// titleStripHeight(widget); both times the device pixel ratio.
QImage windowPicture(QWidget* window);
int titleStripHeight(const QWidget* window);
