#include "ui/DialogWindow.h"

#include <QIcon>
#include <QPixmap>
#include <QRect>
#include <QScreen>
#include <QWidget>

// Outside any namespace, as the resource initialisers are declared there.
static void registerResources()
{
    Q_INIT_RESOURCE(Qos_form);
    Q_INIT_RESOURCE(vlan_dialogs);
}

namespace {

void initDialogResources()
{
    static const bool registered = (registerResources(), true);
    Q_UNUSED(registered);
}

} // namespace

void setDialogIcon(QWidget* dialog, const QString& resource)
{
    initDialogResources();
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
