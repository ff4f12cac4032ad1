// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DialogStyle.h"

#include "ui/SystemColours.h"

#include <QApplication>
#include <QChildEvent>
#include <QGuiApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QStyleFactory>
#include <QWidget>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace {

QColor blend(const QColor& from, const QColor& to, double t)
{
    const QColor a = from.toRgb();
    const QColor b = to.toRgb();
    return QColor(qRound(a.red() + (b.red() - a.red()) * t), qRound(a.green() + (b.green() - a.green()) * t),
                  qRound(a.blue() + (b.blue() - a.blue()) * t));
}

// What an outline may be drawn over: the window, the field colour, the
// button face, and the window under the translucent layer some styles lay
// over group boxes and pages (a step toward the window text).
QList<QColor> outlineBackgrounds(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    return {window, palette.color(QPalette::Active, QPalette::Base), palette.color(QPalette::Active, QPalette::Button),
            blend(window, palette.color(QPalette::Active, QPalette::WindowText), 0.2)};
}

// The colour on the way from `preferred` to `strongest` nearest to
// `preferred` that keeps `ratio` against every background.
QColor readableOnAll(const QList<QColor>& backgrounds, const QColor& preferred, const QColor& strongest,
                     double ratio)
{
    for (int step = 0; step <= 20; ++step) {
        const QColor c = blend(preferred, strongest, step / 20.0);
        if (std::all_of(backgrounds.begin(), backgrounds.end(),
                        [&](const QColor& b) { return contrastRatio(c, b) >= ratio; }))
            return c;
    }
    return strongest.toRgb();
}

// Drawn straight onto a control (or into a picture of it), not into a
// pixmap the base style keeps in Qt's shared cache for every window of the
// application: what is added here stays in the dialogs' windows.
bool drawnOnWidget(const QPainter* painter)
{
    // (A cast rather than devType(): that inline virtual would be emitted
    // into the library and exported beside Qt's own copy.)
    return dynamic_cast<const QWidget*>(painter->device()) != nullptr;
}

// The painter reads text with the control's direction for as long as this lives.
class DirectionOfControl
{
public:
    DirectionOfControl(QPainter* painter, const QStyleOption* option)
        : m_painter(painter)
        , m_old(painter ? painter->layoutDirection() : Qt::LeftToRight)
    {
        if (painter && option && option->direction != m_old)
            painter->setLayoutDirection(option->direction);
        else
            m_painter = nullptr;
    }
    ~DirectionOfControl()
    {
        if (m_painter)
            m_painter->setLayoutDirection(m_old);
    }
    DirectionOfControl(const DirectionOfControl&) = delete;
    DirectionOfControl& operator=(const DirectionOfControl&) = delete;

private:
    QPainter* m_painter;
    Qt::LayoutDirection m_old;
};

// Gives the windows it watches the dialog style once they need it, and keeps
// every widget in them on it: a child polished later (a grid's editor, a
// list's pop-up, a message box) is given the style and watched in turn. A
// window needs it when its direction is not the application's or its palette
// asks for visible outlines; until then it draws with the application's
// style itself, and opening it costs nothing more.
class StyleKeeper : public QObject
{
public:
    using QObject::QObject;

    void watch(QWidget* window)
    {
        window->removeEventFilter(this);
        window->installEventFilter(this);
        adoptWhenNeeded(window);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::ChildPolished:
            if (auto* parent = qobject_cast<QWidget*>(watched); parent && qobject_cast<DialogStyle*>(parent->style())) {
                QObject* child = static_cast<QChildEvent*>(event)->child();
                if (child && child->isWidgetType())
                    adopt(static_cast<QWidget*>(child), parent->style());
            }
            break;
        case QEvent::PaletteChange:
        case QEvent::ApplicationPaletteChange:
        case QEvent::LayoutDirectionChange:
            if (auto* w = qobject_cast<QWidget*>(watched); w && w->isWindow())
                adoptWhenNeeded(w);
            break;
        default:
            break;
        }
        return false;
    }

private:
    static bool needsDialogStyle(const QWidget* window)
    {
        return window->layoutDirection() != QGuiApplication::layoutDirection()
            || needsVisibleOutlines(window->palette());
    }

    void adoptWhenNeeded(QWidget* window)
    {
        if (qobject_cast<DialogStyle*>(window->style()) || !needsDialogStyle(window))
            return;
        if (DialogStyle* style = DialogStyle::forApplication())
            adopt(window, style);
    }

    void adopt(QWidget* widget, QStyle* style)
    {
        if (!widget->testAttribute(Qt::WA_SetStyle))
            widget->setStyle(style);
        else if (widget->style() != style)
            return; // a style of its own, set by someone else: left alone
        widget->removeEventFilter(this);
        widget->installEventFilter(this);
        for (QObject* child : widget->children())
            if (child->isWidgetType())
                adopt(static_cast<QWidget*>(child), style);
    }
};

} // namespace

bool needsVisibleOutlines(const QPalette& palette)
{
    const QColor window = palette.color(QPalette::Active, QPalette::Window);
    const QColor text = palette.color(QPalette::Active, QPalette::WindowText);
    const bool darkWindow = window.toRgb().lightnessF() < text.toRgb().lightnessF();
    return darkWindow || contrastRatio(window, text) >= kHighContrast;
}

QColor visibleOutline(const QPalette& palette)
{
    return readableOnAll(outlineBackgrounds(palette), palette.color(QPalette::Active, QPalette::Mid),
                         palette.color(QPalette::Active, QPalette::WindowText), kOutlineColourContrast);
}

QColor visibleFocusOutline(const QPalette& palette)
{
    return readableOnAll(outlineBackgrounds(palette), palette.color(QPalette::Active, QPalette::Highlight),
                         palette.color(QPalette::Active, QPalette::WindowText), kOutlineColourContrast);
}

DialogStyle::DialogStyle(QStyle* base)
    : QProxyStyle(base)
{
}

DialogStyle* DialogStyle::forApplication()
{
    static QPointer<DialogStyle> shared;
    QStyle* application = QApplication::style();
    if (!application)
        return nullptr;
    if (shared && shared->baseStyle()->name() == application->name())
        return shared;
    QStyle* base = QStyleFactory::create(application->name());
    if (!base)
        return nullptr;
    // Lives as long as the application, whose windows may use it until then.
    shared = new DialogStyle(base);
    shared->setParent(qApp);
    return shared;
}

bool DialogStyle::drawOutline(PrimitiveElement element, const QStyleOption* option, QPainter* painter) const
{
    if (!option || !drawnOnWidget(painter) || !needsVisibleOutlines(option->palette))
        return false;
    const bool keyboardFocus = (option->state & State_HasFocus) && (option->state & State_KeyboardFocusChange);
    const QColor colour = keyboardFocus ? visibleFocusOutline(option->palette) : visibleOutline(option->palette);
    const QRectF edge = QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5);
    switch (element) {
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton:
    case PE_FrameLineEdit:
    case PE_Frame:
        break;
    case PE_FrameFocusRect:
        if (!(option->state & State_KeyboardFocusChange))
            return false;
        break;
    default:
        return false;
    }
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setBrush(Qt::NoBrush);
    painter->setPen(QPen(element == PE_FrameFocusRect ? visibleFocusOutline(option->palette) : colour, 1));
    if (element == PE_IndicatorRadioButton)
        painter->drawEllipse(edge);
    else if (element == PE_FrameLineEdit)
        painter->drawRoundedRect(edge, 2, 2);
    else
        painter->drawRect(edge);
    painter->restore();
    return true;
}

void DialogStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    const DirectionOfControl direction(painter, option);
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    switch (element) {
    case PE_IndicatorCheckBox:
    case PE_IndicatorRadioButton:
    case PE_FrameLineEdit:
    case PE_Frame:
    case PE_FrameFocusRect:
        drawOutline(element, option, painter);
        break;
    default:
        break;
    }
}

void DialogStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const
{
    const DirectionOfControl direction(painter, option);
    QProxyStyle::drawControl(element, option, painter, widget);
}

void DialogStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option, QPainter* painter,
                                     const QWidget* widget) const
{
    const DirectionOfControl direction(painter, option);
    QProxyStyle::drawComplexControl(control, option, painter, widget);
    // A drop-down list's frame: the base style draws it into a shared cached
    // picture, so the outline goes over that picture here.
    if (control == CC_ComboBox && option && drawnOnWidget(painter) && needsVisibleOutlines(option->palette)) {
        QStyleOption frame(*option);
        drawOutline(PE_FrameLineEdit, &frame, painter);
    }
}

int DialogStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const
{
    if (hint == SH_Table_GridLineColor && option && needsVisibleOutlines(option->palette))
        return int(visibleOutline(option->palette).rgba());
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

void useDialogStyle(QWidget* window)
{
    static QPointer<StyleKeeper> keeper;
    if (!keeper) {
        keeper = new StyleKeeper;
        keeper->setParent(qApp);
    }
    keeper->watch(window);
}
