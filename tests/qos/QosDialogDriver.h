#pragma once

// Helpers that drive the real QoS dialog as a user does: typing into edits
// and grid cells, moving the focus on, answering message boxes.

#include "qos/Qos_form.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include <array>

using QosBytes = std::array<unsigned char, kQosConfigSize>;

inline QosBytes qosBytes(unsigned char fill)
{
    QosBytes b;
    b.fill(fill);
    return b;
}

inline QString hexBytes(const unsigned char* b, int n = kQosConfigSize)
{
    return QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(b), n).toHex(' '));
}

// Moves the input focus to another control of the dialog, which is what
// fires the leave handler of the control that had it.
inline void leaveTo(QWidget* control)
{
    control->setFocus(Qt::TabFocusReason);
    QCoreApplication::processEvents();
}

// Replaces an edit's text by typing, as a user who selected the old text.
inline void typeInto(QLineEdit* edit, const QString& text)
{
    edit->setFocus(Qt::TabFocusReason);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, text);
}

// Types into a grid cell: the first key opens the in-place editor over the
// selected old text, the rest go to whatever has the focus then.
inline void typeIntoCell(StringGrid* grid, int row, const QString& text)
{
    grid->setFocus(Qt::TabFocusReason);
    grid->setCurrentCell(row, 1);
    for (QChar c : text) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : grid;
        QTest::keyClicks(target, QString(c));
    }
}

// What a message box showed.
struct SeenBox
{
    bool shown = false;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
};

// Answers the next message box that becomes the active modal widget,
// recording what it was. The returned timer stops itself once it answered;
// a test deletes it if no box came.
inline QTimer* answerNextBox(SeenBox* seen, QMessageBox::StandardButton answer)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, timer, [=] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box)
            return;
        timer->stop();
        seen->shown = true;
        seen->text = box->text();
        seen->icon = box->icon();
        seen->buttons = box->standardButtons();
        if (QAbstractButton* button = box->button(answer))
            QTest::mouseClick(button, Qt::LeftButton);
        else
            box->reject();
    });
    timer->start();
    return timer;
}
