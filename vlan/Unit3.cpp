// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "vlan/Unit3.h"

#include "core/IntegerText.h"
#include "core/UnitConstants.h"
#include "plugin/CaptionTables.h"
#include "ui/Density.h"
#include "ui/DigitsOnly.h"
#include "ui/DesignLayout.h"
#include "ui/DialogCaptions.h"
#include "ui/DialogFont.h"
#include "ui/DialogWindow.h"
#include "ui/MirroredLayout.h"
#include "ui/PlainTexts.h"
#include "ui/ScreenFit.h"
#include "vlan/VlanAccessibility.h"

#include <QEvent>
#include <QFocusEvent>

QString vidOutOfRangeText;

TForm3::TForm3(QWidget* Owner, TIniFile* langIni, short vid, short* vidOut)
    : QDialog(Owner)
{
    // The face is set before the controls exist, so they take it as they are made.
    applyDialogFont(this);
    setupUi(this);
    setDialogIcon(this, QStringLiteral(":/vlan/icons/entry_vid.xpm"));
    makeLabelsPlainText(this);
    followOwner(this);
    // A fixed dialog border: no resizing, no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    // The controls follow the density and their captions; the window is
    // as big as they need.
    new DesignLayout(this, densityFactor(this), kDesignSize);
    // Digits only; the field already takes at most four characters.
    acceptDigitsOnly(Edit1);
    Edit1->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(2); });

    Edit1->setText(QString::number(vid));
    this->vidOut = vidOut;
    Label2->setText(QString());
    // The out-of-range message, the title and the captions, in table order.
    const CaptionPlaces places(this);
    for (const CaptionRow& row : vidEntryCaptionRows()) {
        const QString text = captionText(langIni, row);
        if (row.kind == CaptionKind::Message)
            vidOutOfRangeText = text;
        else
            places.show(row, text);
    }
    makeVidEntryAccessible(*this);
    keepLayoutMirrored(this);
    fitWindow();
}

void TForm3::fitWindow()
{
    const float f = densityFactor(this);
    const QSize design(scaledSize(kDesignSize.width(), f), scaledSize(kDesignSize.height(), f));
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    fitToScreen(this, design, design);
    setFixedSize(size());
}

void TForm3::Edit1Enter(QObject*)
{
    Label2->setText(QString());
    Label2->setToolTip(QString());
}

void TForm3::Button1Click(QObject*)
{
    const QString text = Edit1->text();
    const std::optional<int> number = textToInteger(text);
    if (!number) {
        showStatus(invalidIntegerMessage(text));
        return;
    }
    // The caller's variable is 16 bits wide; it receives the number cut to
    // that width even when the range check below refuses it.
    *vidOut = short(*number);
    if (*vidOut < kMinVid || *vidOut > kMaxVid) {
        showStatus(vidOutOfRangeText);
        return;
    }
    done(1);
}

void TForm3::showStatus(const QString& text)
{
    Label2->setToolTip(QString());
    Label2->setText(text);
    fitWindow();
}

void TForm3::reject()
{
    done(2);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusIn) {
        // Entering the field is the focus coming to it from another control
        // or with the dialog opening, not the window being activated again.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool reactivated = reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (!reactivated || !m_entered)
            Edit1Enter(Edit1);
        m_entered = true;
    }
    return QDialog::eventFilter(watched, event);
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    centreOnScreen(this);
}
