#include "ui/MessageBoxes.h"

namespace {

QMessageBox::StandardButton run(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton escape)
{
    QMessageBox box(icon, title, text, buttons, parent);
    box.setObjectName(QStringLiteral("messageBox"));
    box.setTextFormat(Qt::PlainText);
    box.setEscapeButton(escape);
    box.setDefaultButton(buttons.testFlag(QMessageBox::Yes)  ? QMessageBox::Yes
                         : buttons.testFlag(QMessageBox::Ok) ? QMessageBox::Ok
                                                             : QMessageBox::Close);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : escape;
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
