// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/ScreenFit.h"

#include "ui/KeptByWindow.h"
#include "ui/PageScroll.h"
#include "ui/RadioGroup.h"
#include "ui/TextWidth.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTabWidget>
#include <QWindow>
#include <QWidget>

namespace {

constexpr int kFullItemRole = Qt::UserRole + 0x0D0;

// Captions below this width are never elided further.
constexpr int kShortestCaption = 48;

// A tooltip shows at most this many characters of a caption: a tooltip sized
// to an enormous text would fail to paint just as the window did.
constexpr int kLongestTooltip = 1024;

QString tooltipFor(const QString& full, const QString& shown)
{
    if (shown == full)
        return QString();
    return full.size() > kLongestTooltip ? full.left(kLongestTooltip) + QChar(0x2026) : full;
}

// The quick widths of the fonts a window's captions use (most use one),
// while the window's captions are elided.
class QuickWidths
{
public:
    const TextWidth& of(const QFontMetrics& fm)
    {
        for (const auto& [metrics, widths] : m_known)
            if (metrics == fm)
                return widths;
        m_known.emplace_back(fm, TextWidth(QFontMetricsF(fm)));
        return m_known.back().second;
    }

private:
    std::vector<std::pair<QFontMetrics, TextWidth>> m_known;
};

// The text a caption is elided to, or the text itself when it fits. A text of
// more characters than pixels is cut first (no character is narrower than a
// pixel), so an enormous text is never measured whole.
QString elided(const QFontMetrics& fm, QuickWidths& quick, const QString& full, int maxWidth)
{
    const TextWidth& widths = quick.of(fm);
    // Only the characters within the first maxWidth pixels (and one past
    // them) decide where the text is cut.
    const qsizetype head = qMin(qMin<qsizetype>(full.size(), maxWidth + 1), widths.headWiderThan(full, maxWidth) + 1);
    if (head == full.size() && (widths.surelyFits(full, maxWidth) || fm.horizontalAdvance(full) <= maxWidth))
        return full;
    return fm.elidedText(full.left(head), Qt::ElideRight, maxWidth);
}

// The full texts of a window's elided captions, kept by the window until a
// control shows a text of its own (in the window, not on each control: most
// captions are never elided, and reading a dynamic property of each would
// cost every opening a search of its class's properties).
class ElidedCaptions : public QObject
{
public:
    explicit ElidedCaptions(QWidget* window) : QObject(window) {}

    static ElidedCaptions* of(QWidget* window) { return keptByWindow<ElidedCaptions>(window, kName); }

    // The full text of a control that shows shown.
    QString fullText(QObject* control, const QString& shown) const
    {
        const auto it = m_elided.constFind(control);
        if (it == m_elided.cend() || it->control != control || it->shown != shown)
            return shown;
        return it->full;
    }

    void keep(QObject* control, const QString& full, const QString& shown)
    {
        m_elided.insert(control, {control, full, shown});
    }

private:
    static constexpr QLatin1StringView kName{"odu_elidedCaptions"};
    struct Elided
    {
        QPointer<QObject> control;
        QString full;
        QString shown;
    };
    QHash<QObject*, Elided> m_elided;
};

// Elides the caption of one control through its getter and setter; the full
// text is kept until the control shows a text of its own.
template<typename Get, typename Set>
void elideOne(QWidget* control, ElidedCaptions& kept, QuickWidths& quick, int maxWidth, Get get, Set set)
{
    const QString shown = get();
    const QString full = kept.fullText(control, shown);
    const QString text = elided(control->fontMetrics(), quick, full, maxWidth);
    if (text == shown)
        return;
    kept.keep(control, full, text);
    set(text);
    control->setToolTip(tooltipFor(full, text));
}

QSize contentMinimum(QWidget* window)
{
    // Before the window is shown a changed caption does not reach the layouts
    // around it, so every size the layouts keep is forgotten here.
    for (QWidget* w : window->findChildren<QWidget*>()) {
        w->updateGeometry();
        if (QLayout* inner = w->layout())
            inner->invalidate();
    }
    QLayout* layout = window->layout();
    if (!layout)
        return window->minimumSizeHint().expandedTo(QSize(0, 0));
    layout->invalidate();
    layout->activate();
    return layout->totalMinimumSize();
}

} // namespace

QMargins windowFrame(const QWidget* window)
{
    const auto frameOf = [](const QWidget* w) {
        const QWindow* handle = w ? w->windowHandle() : nullptr;
        return handle ? handle->frameMargins() : QMargins();
    };
    const QMargins own = frameOf(window);
    if (!own.isNull())
        return own;
    // Not shown yet: the owner's window has the same kind of frame.
    const QWidget* owner = window->parentWidget();
    return frameOf(owner ? owner->window() : nullptr);
}

QSize availableArea(const QWidget* window)
{
    const QScreen* screen = window->screen();
    if (!screen)
        return QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    const QMargins frame = windowFrame(window);
    return screen->availableGeometry().size()
        - QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

namespace {

void elideTabs(QTabWidget* pages, QuickWidths& quick, int maxWidth)
{
    const QFontMetrics fm = pages->tabBar()->fontMetrics();
    for (int i = 0; i < pages->count(); ++i) {
        const QString key = QStringLiteral("odu_fullTab%1").arg(i);
        const QVariant kept = pages->property(key.toLatin1());
        const QString full = kept.isValid() ? kept.toString() : pages->tabText(i);
        const QString text = elided(fm, quick, full, maxWidth);
        if (text == pages->tabText(i))
            continue;
        pages->setProperty(key.toLatin1(), full);
        pages->setTabText(i, text);
        pages->setTabToolTip(i, tooltipFor(full, text));
    }
}

void elideItems(QComboBox* box, QuickWidths& quick, int maxWidth)
{
    const QFontMetrics fm = box->fontMetrics();
    for (int i = 0; i < box->count(); ++i) {
        const QVariant kept = box->itemData(i, kFullItemRole);
        const QString full = kept.isValid() ? kept.toString() : box->itemText(i);
        const QString text = elided(fm, quick, full, maxWidth);
        if (text == box->itemText(i))
            continue;
        box->setItemData(i, full, kFullItemRole);
        box->setItemData(i, tooltipFor(full, text), Qt::ToolTipRole);
        box->setItemText(i, text);
    }
}

} // namespace

void elideCaptions(QWidget* window, int maxWidth)
{
    QuickWidths quick;
    ElidedCaptions& kept = *ElidedCaptions::of(window);
    // One walk over the window's controls: each is of at most one kind.
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (auto* label = qobject_cast<QLabel*>(w))
            elideOne(label, kept, quick, maxWidth, [label] { return label->text(); },
                     [label](const QString& t) { label->setText(t); });
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            elideOne(button, kept, quick, maxWidth, [button] { return button->text(); },
                     [button](const QString& t) { button->setText(t); });
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            elideOne(group, kept, quick, maxWidth, [group] { return group->title(); },
                     [group](const QString& t) { group->setTitle(t); });
        else if (auto* pages = qobject_cast<QTabWidget*>(w))
            elideTabs(pages, quick, maxWidth);
        else if (auto* box = qobject_cast<QComboBox*>(w))
            elideItems(box, quick, maxWidth);
    }
}

void fitToScreen(QWidget* window, QSize designSize, QSize designMinimum,
                 const std::function<void()>& resizeControls)
{
    const auto elide = [&](int maxWidth) {
        elideCaptions(window, maxWidth);
        if (resizeControls)
            resizeControls();
    };
    for (RadioGroup* group : window->findChildren<RadioGroup*>())
        group->growToItems();
    const QSize available = availableArea(window);
    QList<PageScrollArea*> pages = window->findChildren<PageScrollArea*>();
    for (PageScrollArea* page : pages)
        page->setRoomLimit(QSize());
    QSize need;
    const auto fits = [&] {
        need = contentMinimum(window);
        return need.width() <= available.width() && need.height() <= available.height();
    };
    const auto fitsAt = [&](int maxWidth) {
        elide(maxWidth);
        return fits();
    };
    // A caption wider than the screen is shortened to the screen's width
    // (without measuring it whole); the others keep their text.
    const bool fitsWhole = fitsAt(available.width());
    if (!fitsWhole && pages.isEmpty()) {
        // The pages of a window that does not fit scroll; one that fits
        // needs no scroll areas (and opens without making them).
        for (QTabWidget* tabs : window->findChildren<QTabWidget*>())
            makePagesScrollable(tabs);
        pages = window->findChildren<PageScrollArea*>();
        fits();
    }
    if (!fitsWhole && !pages.isEmpty()) {
        // Then the pages scroll: each asks for as much less room as the
        // window lacks, down to a small share of the screen.
        // Later rounds take off what the scroll bars added: a bar for one
        // direction takes room from the other, which may then need its bar
        // too. (The last round's outcome is measured as well: what follows
        // reads need, which must not be the size from before that round.)
        constexpr int kRounds = 4;
        const QSize floor(available.width() / 4, available.height() / 4);
        for (int round = 0; round < kRounds && !fits(); ++round) {
            const QSize lack = (need - available).expandedTo(QSize(0, 0));
            for (PageScrollArea* page : pages) {
                const QSize room = page->roomLimit().isValid() ? page->roomLimit() : page->contentMinimum();
                page->setRoomLimit((room - lack).expandedTo(floor.boundedTo(room)));
            }
            if (round == kRounds - 1)
                fits();
        }
    }
    // Only when even that is not enough (a screen smaller than the window's
    // fixed parts, or a dialog without pages) are captions shortened further:
    // to the widest width at which the content fits, to a few pixels.
    if ((need.width() > available.width() || need.height() > available.height()) && fitsAt(kShortestCaption)) {
        int fitting = kShortestCaption;
        int tooWide = available.width();
        while (tooWide - fitting > kShortestCaption / 8) {
            const int middle = (fitting + tooWide) / 2;
            (fitsAt(middle) ? fitting : tooWide) = middle;
        }
        fitsAt(fitting);
    }
    const QSize minimum = designMinimum.expandedTo(need).boundedTo(available);
    window->setMinimumSize(minimum);
    window->setMaximumSize(window->maximumSize().expandedTo(minimum));
    window->resize(designSize.expandedTo(need).boundedTo(available));
}
