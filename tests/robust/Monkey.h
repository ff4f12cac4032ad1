// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

// A seeded random walk over a real dialog: random clicks on any control or
// grid cell, typed keys, focus moves, pastes of odd texts, and random answers
// to every modal window that opens meanwhile. The test gives it the dialog to
// walk and checks its invariants after every step; a failure names the seed,
// the step and the last actions, so the walk can be replayed with
// MONKEY_SEED and MONKEY_STEPS.

#include "testing/ModalAnswering.h"
#include "ui/StringGrid.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPointer>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <random>

namespace robust {

class Monkey : public QObject
{
public:
    // Answers a modal window that is not a message box; returns false when
    // it does not know the window (which is then closed).
    using ModalAnswer = std::function<bool(QWidget* modal, Monkey& monkey)>;

    explicit Monkey(std::uint32_t seed)
        : m_rng(seed)
        , m_modals([this](QWidget* modal) { answer(modal); })
    {
    }

    void setModalAnswer(ModalAnswer answer) { m_modalAnswer = std::move(answer); }

    std::mt19937& rng() { return m_rng; }
    int modalAnswers() const { return m_modalAnswers; }
    int pick(int n) { return n <= 0 ? 0 : int(m_rng() % unsigned(n)); }
    bool chance(int percent) { return pick(100) < percent; }

    void note(const QString& what)
    {
        m_log.push_back(what);
        if (m_log.size() > 12)
            m_log.pop_front();
    }
    QString last() const { return m_log.empty() ? QString() : m_log.back(); }
    QString recent() const
    {
        QStringList l(m_log.begin(), m_log.end());
        return l.join(QStringLiteral("\n    "));
    }

    // Texts a user might paste.
    QString oddText()
    {
        static const char* const texts[] = {"-1", "99999999999", "  7", "0x10", "", "4094", "4095",
                                            "0", "128", "125", "1", "7", "8", "3", " ", "\t5", "1e3",
                                            "+2", "2147483648", "-2147483649", "12345", "abc"};
        return QString::fromLatin1(texts[pick(int(sizeof texts / sizeof *texts))]);
    }

    // One random step on a dialog.
    void step(QDialog* dialog)
    {
        m_answersThisStep = 0;
        if (QWidget* popup = QApplication::activePopupWidget()) {
            popupStep(popup);
            return;
        }
        if (!dialog->isActiveWindow() && !QApplication::activeModalWidget()) {
            dialog->activateWindow();
            QApplication::setActiveWindow(dialog);
        }
        switch (pick(10)) {
        case 0:
        case 1:
        case 2:
            clickSomething(dialog);
            break;
        case 3:
        case 4:
        case 5:
            typeKey(dialog);
            break;
        case 6:
        case 7:
            moveFocus(dialog);
            break;
        case 8:
            paste(dialog);
            break;
        default:
            clickGridCell(dialog);
            break;
        }
        QCoreApplication::processEvents();
    }

    // A modal window's own random walk: type into a line edit, press a button or a key.
    void randomInput(QWidget* w)
    {
        const auto edits = w->findChildren<QLineEdit*>();
        const auto buttons = w->findChildren<QAbstractButton*>();
        switch (pick(6)) {
        case 0:
        case 1:
            if (!edits.isEmpty()) {
                QLineEdit* e = edits[pick(int(edits.size()))];
                e->setFocus();
                e->selectAll();
                const QString t = chance(50) ? QString::number(pick(5000)) : oddText();
                note(QStringLiteral("  modal: type '%1'").arg(t));
                QTest::keyClicks(e, t);
                if (chance(40))
                    QTest::keyClick(e, Qt::Key_Return);
                return;
            }
            [[fallthrough]];
        case 2:
        case 3:
            if (!buttons.isEmpty()) {
                QAbstractButton* b = buttons[pick(int(buttons.size()))];
                note(QStringLiteral("  modal: click '%1'").arg(b->text()));
                QTest::mouseClick(b, Qt::LeftButton);
                return;
            }
            [[fallthrough]];
        case 4:
            note(QStringLiteral("  modal: Enter"));
            QTest::keyClick(w, Qt::Key_Return);
            return;
        default:
            note(QStringLiteral("  modal: Escape"));
            QTest::keyClick(w, Qt::Key_Escape);
            return;
        }
    }

private:
    void answer(QWidget* w)
    {
        ++m_modalAnswers;
        // A walk that keeps a modal window open for too long gives up on it.
        if (++m_answersThisStep > 25) {
            note(QStringLiteral("  modal: gave up, Escape"));
            QTest::keyClick(w, Qt::Key_Escape);
            if (w->isVisible())
                w->close();
            return;
        }
        if (auto* box = qobject_cast<QMessageBox*>(w)) {
            const auto buttons = box->buttons();
            if (!buttons.isEmpty() && chance(85)) {
                QAbstractButton* b = buttons[pick(int(buttons.size()))];
                note(QStringLiteral("  box '%1': %2").arg(box->text().left(40), b->text()));
                QTest::mouseClick(b, Qt::LeftButton);
            } else {
                note(QStringLiteral("  box '%1': Escape").arg(box->text().left(40)));
                QTest::keyClick(box, Qt::Key_Escape);
            }
            return;
        }
        if (m_modalAnswer && m_modalAnswer(w, *this))
            return;
        note(QStringLiteral("  unknown modal %1: closed").arg(QString::fromLatin1(w->metaObject()->className())));
        w->close();
    }

    void popupStep(QWidget* popup)
    {
        static const Qt::Key keys[] = {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Down, Qt::Key_Up};
        const Qt::Key key = keys[pick(4)];
        note(QStringLiteral("popup key %1").arg(int(key), 0, 16));
        QTest::keyClick(popup, key);
        QCoreApplication::processEvents();
        if (++m_popupSteps > 4 && QApplication::activePopupWidget() == popup) {
            popup->close();
            m_popupSteps = 0;
        }
    }

    QList<QWidget*> targets(QDialog* dialog)
    {
        QList<QWidget*> list;
        for (QWidget* w : dialog->findChildren<QWidget*>()) {
            if (!w->isVisible() || !w->isEnabled())
                continue;
            if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QComboBox*>(w)
                || qobject_cast<QTabBar*>(w) || qobject_cast<StringGrid*>(w)
                || (qobject_cast<QLineEdit*>(w) && !qobject_cast<QComboBox*>(w->parentWidget())))
                list << w;
        }
        return list;
    }

    static QString nameOf(const QWidget* w)
    {
        QString n = w->objectName();
        if (n.isEmpty())
            n = QString::fromLatin1(w->metaObject()->className());
        return n;
    }

    void clickSomething(QDialog* dialog)
    {
        const auto list = targets(dialog);
        if (list.isEmpty())
            return;
        QWidget* w = list[pick(int(list.size()))];
        // Push buttons end or reset the dialog more often than not; click them
        // less often than the editing controls, so a walk gets somewhere.
        if (qobject_cast<QPushButton*>(w) && chance(70))
            w = list[pick(int(list.size()))];
        if (auto* bar = qobject_cast<QTabBar*>(w)) {
            const int tab = pick(bar->count());
            note(QStringLiteral("click tab %1").arg(tab));
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
            return;
        }
        if (auto* grid = qobject_cast<StringGrid*>(w)) {
            clickCell(grid);
            return;
        }
        const QPoint at(pick(w->width()), pick(w->height()));
        note(QStringLiteral("click %1 at %2,%3").arg(nameOf(w)).arg(at.x()).arg(at.y()));
        QTest::mouseClick(w, Qt::LeftButton, {}, at);
    }

    void clickGridCell(QDialog* dialog)
    {
        QList<StringGrid*> grids;
        for (StringGrid* g : dialog->findChildren<StringGrid*>())
            if (g->isVisible())
                grids << g;
        if (grids.isEmpty()) {
            clickSomething(dialog);
            return;
        }
        clickCell(grids[pick(int(grids.size()))]);
    }

    void clickCell(StringGrid* grid)
    {
        const int rows = grid->rowCount();
        const int row = pick(rows + 1); // one past the last row: the empty space below
        const int col = pick(grid->columnCount());
        QRect r;
        if (rows == 0) {
            r = QRect(0, 0, 20, 20);
        } else {
            const int shown = std::min(row, rows - 1);
            grid->scrollToItem(grid->item(shown, col));
            r = grid->cellRect(col, shown);
            if (row == rows)
                r.translate(0, r.height());
        }
        static const Qt::MouseButton buttons[] = {Qt::LeftButton, Qt::LeftButton, Qt::LeftButton,
                                                  Qt::RightButton, Qt::MiddleButton};
        const Qt::MouseButton button = buttons[pick(5)];
        const QPoint at = r.topLeft() + QPoint(pick(std::max(1, r.width())), pick(std::max(1, r.height())));
        note(QStringLiteral("click %1 cell col %2 row %3 button %4").arg(nameOf(grid)).arg(col).arg(row).arg(int(button)));
        if (chance(10)) {
            QTest::mouseDClick(grid->viewport(), button, {}, at);
        } else if (chance(15)) {
            // A drag, from near a column border (where a fixed row starts a
            // column resize) to anywhere, even outside the grid.
            QPoint from = at;
            if (grid->columnCount() > 0)
                from.setX(grid->columnViewportPosition(col) + grid->columnWidth(col) + pick(7) - 3);
            const QPoint to(pick(grid->viewport()->width() * 2) - grid->viewport()->width() / 2,
                            pick(grid->viewport()->height() * 2) - grid->viewport()->height() / 2);
            note(QStringLiteral("  drag from %1,%2 to %3,%4").arg(from.x()).arg(from.y()).arg(to.x()).arg(to.y()));
            QTest::mousePress(grid->viewport(), button, {}, from);
            QTest::mouseMove(grid->viewport(), (from + to) / 2);
            QTest::mouseMove(grid->viewport(), to);
            QTest::mouseRelease(grid->viewport(), button, {}, to);
        } else {
            QTest::mouseClick(grid->viewport(), button, {}, at);
        }
    }

    void typeKey(QDialog* dialog)
    {
        QWidget* target = QApplication::focusWidget();
        if (!target || target->window() != dialog)
            target = dialog;
        static const Qt::Key specials[] = {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape, Qt::Key_Tab,
                                           Qt::Key_Backtab, Qt::Key_Backspace, Qt::Key_Up, Qt::Key_Down,
                                           Qt::Key_Delete, Qt::Key_F2, Qt::Key_Space};
        const int kind = pick(20);
        if (kind < 10) {
            const QChar c = QChar(u'0' + pick(10));
            note(QStringLiteral("type '%1' into %2").arg(c).arg(nameOf(target)));
            QTest::keyClicks(target, QString(c));
        } else if (kind < 15) {
            const QChar c = QChar(char16_t(0x20 + pick(0x5F)));
            note(QStringLiteral("type '%1' into %2").arg(c).arg(nameOf(target)));
            QTest::keyClicks(target, QString(c));
        } else {
            // Enter and Escape close the dialog; keep them rarer than editing keys.
            Qt::Key key = specials[pick(int(sizeof specials / sizeof *specials))];
            if ((key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) && chance(60))
                key = Qt::Key_Backspace;
            note(QStringLiteral("key %1 into %2").arg(int(key), 0, 16).arg(nameOf(target)));
            QTest::keyClick(target, key);
        }
    }

    void moveFocus(QDialog* dialog)
    {
        QList<QWidget*> focusable;
        for (QWidget* w : dialog->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() && w->focusPolicy() != Qt::NoFocus && !w->focusProxy())
                focusable << w;
        if (focusable.isEmpty() || chance(30)) {
            QWidget* from = QApplication::focusWidget() ? QApplication::focusWidget() : dialog;
            note(QStringLiteral("Tab from %1").arg(nameOf(from)));
            QTest::keyClick(from, chance(70) ? Qt::Key_Tab : Qt::Key_Backtab);
            return;
        }
        QWidget* w = focusable[pick(int(focusable.size()))];
        note(QStringLiteral("focus %1").arg(nameOf(w)));
        w->setFocus(chance(50) ? Qt::TabFocusReason : Qt::MouseFocusReason);
    }

    void paste(QDialog* dialog)
    {
        const QString text = oddText();
        QGuiApplication::clipboard()->setText(text);
        QWidget* focus = QApplication::focusWidget();
        if (focus && focus->window() == dialog) {
            if (auto* grid = qobject_cast<StringGrid*>(focus)) {
                // Open the cell's editor first, as a double click would.
                const int row = pick(grid->rowCount());
                const int col = pick(grid->columnCount());
                grid->setCurrentCell(row, col);
                QTableWidgetItem* item = grid->item(row, col);
                if (item && grid->cellEditing() && (item->flags() & Qt::ItemIsEditable))
                    grid->editItem(item);
                focus = QApplication::focusWidget();
            }
            QLineEdit* edit = qobject_cast<QLineEdit*>(focus);
            if (!edit)
                if (auto* combo = qobject_cast<QComboBox*>(focus))
                    edit = combo->lineEdit();
            if (edit) {
                if (chance(60))
                    edit->selectAll();
                note(QStringLiteral("paste '%1' into %2").arg(text, nameOf(focus)));
                edit->paste();
                return;
            }
        }
        note(QStringLiteral("paste '%1' with no edit focused: focus moves instead").arg(text));
        moveFocus(dialog);
    }

    std::mt19937 m_rng;
    ModalWatcher m_modals;
    int m_answersThisStep = 0;
    int m_popupSteps = 0;
    int m_modalAnswers = 0;
    ModalAnswer m_modalAnswer;
    std::deque<QString> m_log;
};

} // namespace robust
