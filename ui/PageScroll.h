// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#pragma once

#include <QScrollArea>
#include <QSize>

class QTabWidget;

// The pages of a page control scroll when the screen cannot give a page the
// room its controls need, instead of their captions being shortened: each
// page's controls sit in a frameless scroll area that fills the page. The
// area asks for all the room its content needs, so the window grows to its
// content as before, until the window is fitted to a screen too small for
// it and the area is told to ask for less.
class PageScrollArea : public QScrollArea
{
    Q_OBJECT

public:
    // Takes the controls of the page (its layout and its child widgets) into
    // a content widget of its own and fills the page.
    explicit PageScrollArea(QWidget* page);

    // The room the page's controls need.
    QSize contentMinimum() const;
    // The most this area asks for; an invalid size asks for the whole content.
    void setRoomLimit(QSize limit);
    QSize roomLimit() const { return m_limit; }

    // Scrolls so that all of a control of the page is in view, as far as it
    // fits.
    void showWhole(QWidget* control);

    QSize minimumSizeHint() const override;
    QSize sizeHint() const override;

private:
    QSize m_limit;
};

// Makes every page of a page control scrollable; a page that is already so
// is left as it is.
void makePagesScrollable(QTabWidget* pages);

// The widget that holds a page's controls: the scroll area's content, or the
// page itself when it does not scroll.
QWidget* pageContent(QWidget* page);
