// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "vlan/Unit3.h"

#include "core/IntegerText.h"
#include "core/UnitConstants.h"
#include "core/CaptionTables.h"
#include "ui/DesignLayout.h"
#include "ui/DialogCaptions.h"
#include "ui/DigitsOnly.h"
#include "vlan/VlanAccessibility.h"

#include <QEvent>
#include <QFocusEvent>

QString vidOutOfRangeText;

namespace {

// Whether a focus arrival of this reason is the user entering the field.
bool entersField(Qt::FocusReason reason)
{
    // The window being activated hands the focus back to the control that
    // had it, or to the field when none had: no control was left for the
    // field. The platform may deliver the first activation of the dialog
    // late, after the user has typed and pressed OK, so an activation must
    // never empty the line, whether the field had the focus before or not
    // (the line is empty when the dialog opens in any case).
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason
        && reason != Qt::MenuBarFocusReason;
}

} // namespace

// The dialog's own resources (its icon); outside any namespace, as the
// resource initialisers are declared there.
static void registerVidEntryResources()
{
    Q_INIT_RESOURCE(Unit3);
}

TForm3::TForm3(QWidget* Owner, TIniFile* langIni, short vid, short* vidOut)
    : QDialog(Owner)
    , m_skeleton(this)
{
    setupUi(this);
    // A fixed dialog border: no resizing, no minimise or maximise box.
    m_skeleton.dress(QStringLiteral(":/vlan/icons/entry_vid.xpm"), registerVidEntryResources,
                     Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                         | Qt::WindowCloseButtonHint);
    // The controls follow the density and their captions; the window is
    // as big as they need.
    new DesignLayout(this, m_skeleton.density(), m_skeleton.designSize());
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
    for (const CaptionRow& row : CaptionTables::vidEntry()) {
        const QString text = captionText(langIni, row);
        if (row.kind == CaptionKind::Message)
            vidOutOfRangeText = text;
        else
            places.show(row, text);
    }
    makeVidEntryAccessible(*this);
    fitWindow();
}

void TForm3::fitWindow()
{
    const QSize design = m_skeleton.scaled(m_skeleton.designSize());
    m_skeleton.place(design, design, DialogSkeleton::Border::Fixed);
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
    if (watched == Edit1 && event->type() == QEvent::FocusIn
        && entersField(static_cast<QFocusEvent*>(event)->reason()))
        Edit1Enter(Edit1);
    return QDialog::eventFilter(watched, event);
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    m_skeleton.shown();
}

