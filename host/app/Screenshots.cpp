// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "host/app/Screenshots.h"

#include "host/app/DefectFrames.h"
#include "core/RegularFile.h"
#include "ui/Settle.h"
#include "ui/WhenModal.h"

#include "core/IniFile.h"
#include "plugin/InstancePointers.h"
#include "qos/Qos_form.h"
#include "vlan/Vlan_form.h"

#include <QApplication>
#include <QBuffer>
#include <QDialog>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QStyle>
#include <QTabWidget>

#include <memory>

namespace {

// Encoded in memory and written as a regular file: a link, pipe or device
// planted under the picture's name is refused, never written through.
bool savePicture(const QImage& image, const QString& path, ScreenshotResult& result)
{
    QByteArray png;
    QBuffer buffer(&png);
    if (image.isNull() || !buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG")) {
        result.error = QStringLiteral("could not draw '%1'").arg(path);
        return false;
    }
    if (const Result<void> written = writeRegularFile(path, png); !written) {
        result.error = QStringLiteral("could not write '%1': %2").arg(path, written.error());
        return false;
    }
    result.files.append(path);
    return true;
}

// A picture of the window, with the ill-fitting captions framed when asked.
QImage picture(QWidget* window, bool markDefects)
{
    QImage image = windowPicture(window);
    if (markDefects)
        drawDefectFrames(image, window);
    return image;
}

// One picture per page of the dialog's page control (or one of the whole
// dialog if it has none), named <prefix>-page<n>.png.
bool savePages(QDialog* dialog, const QString& prefix, const QDir& dir, bool markDefects,
               ScreenshotResult& result)
{
    auto* pages = dialog->findChild<QTabWidget*>(QStringLiteral("PageControl1"));
    if (!pages) {
        settle();
        return savePicture(picture(dialog, markDefects), dir.filePath(prefix + QStringLiteral(".png")), result);
    }
    const int first = pages->currentIndex();
    for (int i = 0; i < pages->count(); ++i) {
        pages->setCurrentIndex(i);
        settle();
        const QString name = QStringLiteral("%1-page%2.png").arg(prefix).arg(i + 1);
        if (!savePicture(picture(dialog, markDefects), dir.filePath(name), result))
            return false;
    }
    pages->setCurrentIndex(first);
    return true;
}

} // namespace

int titleStripHeight(const QWidget* window)
{
    return window->fontMetrics().height() + 10;
}

QImage windowPicture(QWidget* window)
{
    const QPixmap contents = window->grab();
    const qreal dpr = contents.devicePixelRatio();
    const int strip = titleStripHeight(window);
    QImage image(QSize(window->width(), window->height() + strip) * dpr, QImage::Format_ARGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(window->palette().color(QPalette::Window));

    QPainter painter(&image);
    const QRect bar(0, 0, window->width(), strip);
    painter.fillRect(bar, window->palette().color(QPalette::Active, QPalette::Highlight));
    painter.setPen(window->palette().color(QPalette::Active, QPalette::HighlightedText));
    painter.setFont(window->font());
    // The title starts where the window's direction reads from.
    painter.setLayoutDirection(window->layoutDirection());
    painter.drawText(bar.adjusted(8, 0, -8, 0),
                     Qt::AlignVCenter | QStyle::visualAlignment(window->layoutDirection(), Qt::AlignLeft),
                     window->windowTitle());
    painter.drawPixmap(QPoint(0, strip), contents);
    painter.end();
    return image;
}

ScreenshotResult takeScreenshots(const ScreenshotRequest& request)
{
    ScreenshotResult result;
    const QDir dir(QFileInfo(request.dir).absoluteFilePath());
    std::unique_ptr<TIniFile> catalogue = request.catalogue.isEmpty()
        ? std::make_unique<TIniFile>()
        : std::make_unique<TIniFile>(request.catalogue);
    const bool isLocal = !request.remote;
    Unit unit; // unconfigured: the dialogs show their default images
    presetVlan(unit, request.vlanMode, request.sampleTable);
    // With a direction of its own asked for, a window of the host's owns the
    // dialogs, as a host's main window does (it is never shown); otherwise
    // the dialogs have no owner, as the pictures always had.
    QWidget ownerWindow;
    QWidget* owner = nullptr;
    if (request.ownerDirection != Qt::LayoutDirectionAuto) {
        ownerWindow.setLayoutDirection(request.ownerDirection);
        owner = &ownerWindow;
    }

    {
        int size = 0;
        QPointer<TQos_form> qos = new TQos_form(owner, isLocal, catalogue.get(),
                                                reinterpret_cast<unsigned char*>(unit.qos.data()), &size);
        Qos_form1 = qos;
        qos->show();
        settle();
        const bool ok = savePages(qos, QStringLiteral("qos"), dir, request.markDefects, result);
        if (qos)
            qos->close();
        delete qos.data();
        Qos_form1 = nullptr;
        if (!ok)
            return result;
    }

    {
        int size = 0;
        const UnitFacts& f = request.facts;
        QPointer<TVlan_form> vlan = new TVlan_form(
            owner, isLocal, catalogue.get(), reinterpret_cast<unsigned char*>(unit.vlan.data()), &size,
            f.vlanActiveInEthernet, f.modem2Present, f.onePlusZeroInactive, f.modem2Mode, f.oduCapabilities);
        Vlan_form1 = vlan;
        vlan->show();
        settle();
        bool ok = savePages(vlan, QStringLiteral("vlan"), dir, request.markDefects, result);

        if (ok) {
            // The VID entry dialog exists only while the VLAN dialog asks for
            // a VID: press "Add New VLAN" as a user would, picture the modal
            // window that opens, and cancel it (the table stays unchanged).
            QImage vidEntry;
            QString unexpected;
            bool armed = true;
            whenModal(vlan, [&](QWidget* modal) {
                if (!armed)
                    return;
                armed = false;
                if (!modal || modal == vlan)
                    return;
                settle();
                if (qobject_cast<QMessageBox*>(modal))
                    unexpected = QStringLiteral("the VLAN dialog showed a message instead of the VID entry "
                                                "dialog: %1").arg(qobject_cast<QMessageBox*>(modal)->text());
                else
                    vidEntry = picture(modal, request.markDefects);
                if (auto* d = qobject_cast<QDialog*>(modal))
                    d->reject();
                else
                    modal->close();
            });
            vlan->Button1->click();
            armed = false;
            if (!unexpected.isEmpty()) {
                result.error = unexpected;
                ok = false;
            } else if (vidEntry.isNull()) {
                result.error = QStringLiteral("the VID entry dialog did not open");
                ok = false;
            } else {
                ok = savePicture(vidEntry, dir.filePath(QStringLiteral("vid-entry.png")), result);
            }
        }
        delete vlan.data();
        Vlan_form1 = nullptr;
        if (!ok)
            return result;
    }
    return result;
}
