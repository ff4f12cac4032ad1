#include "vlan/Unit3.h"

#include "core/Lookup.h"
#include "ui/DialogFont.h"
#include "ui/PlainTexts.h"
#include "core/IntegerText.h"
#include "core/UnitConstants.h"
#include "vlan/VlanAccessibility.h"

#include <QEvent>
#include <QRegularExpressionValidator>
#include <QScreen>

QString vidOutOfRangeText;

namespace {

const QString kSection = QStringLiteral("VLAN");

} // namespace

// Outside any namespace, as the resource initialiser is declared there.
static void registerResources()
{
    Q_INIT_RESOURCE(vlan_dialogs);
}

void initVlanDialogResources()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

TForm3::TForm3(QWidget* Owner, TIniFile* langIni, short vid, short* vidOut)
    : QDialog(Owner)
{
    initVlanDialogResources();
    setupUi(this);
    makeLabelsPlainText(this);
    applyDialogFont(this);
    // A fixed dialog border: no resizing, no minimise or maximise box.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                   | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setFixedSize(306, 103);
    // Digits only; the field already takes at most four characters.
    Edit1->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), Edit1));
    Edit1->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
    connect(Button2, &QPushButton::clicked, this, [this] { done(2); });

    Edit1->setText(QString::number(vid));
    this->vidOut = vidOut;
    Label2->setText(QString());
    vidOutOfRangeText = lookup(langIni, kSection, QStringLiteral("vid_id_out"),
                               QStringLiteral("VID is out of range. The valid range is 1 to 4094."));
    setWindowTitle(lookup(langIni, kSection, QStringLiteral("entry_vid"), QStringLiteral("Entry VID")));
    Label1->setText(lookup(langIni, kSection, QStringLiteral("entry_vid"), QStringLiteral("Entry VID")));
    Label1->adjustSize();
    Button1->setText(lookup(langIni, kSection, QStringLiteral("ok_button"), QStringLiteral("OK")));
    Button2->setText(lookup(langIni, kSection, QStringLiteral("cancel_button"), QStringLiteral("Cancel")));
    makeVidEntryAccessible(*this);
}

void TForm3::Edit1Enter(QObject*)
{
    Label2->setText(QString());
}

void TForm3::Button1Click(QObject*)
{
    const QString text = Edit1->text();
    const std::optional<int> number = textToInteger(text);
    if (!number) {
        Label2->setText(invalidIntegerMessage(text));
        Label2->adjustSize();
        return;
    }
    // The caller's variable is 16 bits wide; it receives the number cut to
    // that width even when the range check below refuses it.
    *vidOut = short(*number);
    if (*vidOut < kMinVid || *vidOut > kMaxVid) {
        Label2->setText(vidOutOfRangeText);
        Label2->adjustSize();
        return;
    }
    done(1);
}

void TForm3::reject()
{
    done(2);
}

bool TForm3::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusIn)
        Edit1Enter(Edit1);
    return QDialog::eventFilter(watched, event);
}

void TForm3::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The dialog opens centred on the screen, not over its owner.
    if (const QScreen* s = screen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(s->availableGeometry().center());
        move(frame.topLeft());
    }
}
