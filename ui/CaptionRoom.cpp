// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/CaptionRoom.h"

#include "ui/AcceleratorMarks.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QCoreApplication>
#include <QHash>
#include <QPointer>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>

namespace {

// Style padding measured around a wide probe, so that a minimum width the
// style adds does not count as padding.
constexpr int kProbe = 4000;

} // namespace

QSize captionRoom(const QWidget* control)
{
    const QFontMetrics fm = control->fontMetrics();
    if (auto* label = qobject_cast<const QLabel*>(control)) {
        if (label->text().isEmpty())
            return QSize();
        return label->sizeHint();
    }
    if (qobject_cast<const QCheckBox*>(control) || qobject_cast<const QRadioButton*>(control)) {
        auto* b = static_cast<const QAbstractButton*>(control);
        return b->text().trimmed().isEmpty() ? QSize() : b->sizeHint();
    }
    if (auto* button = qobject_cast<const QPushButton*>(control)) {
        QStyleOptionButton opt;
        opt.initFrom(button);
        opt.text = button->text();
        const QSize text = fm.size(Qt::TextShowMnemonic, button->text());
        const QSize padded = button->style()->sizeFromContents(
            QStyle::CT_PushButton, &opt, QSize(kProbe, text.height()), button);
        return QSize(text.width() + padded.width() - kProbe, fm.height());
    }
    if (auto* box = qobject_cast<const QComboBox*>(control)) {
        int widest = 0;
        for (int i = 0; i < box->count(); ++i)
            widest = qMax(widest, fm.horizontalAdvance(box->itemText(i)));
        QStyleOptionComboBox opt;
        opt.initFrom(box);
        opt.editable = box->isEditable();
        const QSize padded = box->style()->sizeFromContents(QStyle::CT_ComboBox, &opt,
                                                            QSize(kProbe, fm.height()), box);
        return QSize(widest + padded.width() - kProbe, fm.height());
    }
    if (auto* group = qobject_cast<const QGroupBox*>(control)) {
        if (group->title().isEmpty())
            return QSize();
        const QString title = withoutAcceleratorMarks(group->title());
        return QSize(fm.horizontalAdvance(title) + 2 * fm.averageCharWidth(), fm.height());
    }
    return QSize();
}

namespace {

// What a control's caption room is measured from, as one text.
QString captionTexts(const QWidget* control)
{
    if (auto* label = qobject_cast<const QLabel*>(control))
        return label->text();
    if (auto* button = qobject_cast<const QAbstractButton*>(control))
        return button->text();
    if (auto* group = qobject_cast<const QGroupBox*>(control))
        return group->title();
    if (auto* box = qobject_cast<const QComboBox*>(control)) {
        QString texts = box->isEditable() ? QStringLiteral("e") : QStringLiteral("-");
        for (int i = 0; i < box->count(); ++i)
            texts += QLatin1Char('\n') + box->itemText(i);
        return texts;
    }
    return QString();
}

// The caption rooms measured in this process, for the next opening of a
// dialog: a named control of a dialog's form that shows the same texts in the
// same face, at the same density and in the same style, needs the same room.
class MeasuredRooms : public QObject
{
public:
    // Kept by the application, and gone with it: the faces it holds are the
    // application's.
    using QObject::QObject;

    QSize of(const QWidget* control, const QString& texts, int dpi)
    {
        const QString name = control->objectName();
        if (name.isEmpty())
            return captionRoom(control); // only a form's controls are known again
        QList<Entry>& entries = m_byText[texts];
        const QFont font = control->font();
        const QMetaObject* kind = control->metaObject();
        const QMetaObject* window = control->window()->metaObject();
        for (const Entry& e : std::as_const(entries))
            if (e.kind == kind && e.window == window && e.dpi == dpi && e.style == control->style()
                && e.styleKind == control->style()->metaObject() && e.name == name && e.font == font)
                return e.room;
        if (++m_count > kMostEntries) {
            m_byText.clear();
            m_count = 1;
        }
        const QSize room = captionRoom(control);
        m_byText[texts].append({name, kind, window, font, dpi, control->style(), control->style()->metaObject(), room});
        return room;
    }

private:
    struct Entry
    {
        QString name;
        const QMetaObject* kind;
        const QMetaObject* window;
        QFont font;
        int dpi;
        const QStyle* style;
        const QMetaObject* styleKind; // (another style may come at a gone one's address)
        QSize room;
    };
    // Every caption of both dialogs in several faces and densities; beyond
    // that the rooms are measured afresh.
    static constexpr int kMostEntries = 4096;
    QHash<QString, QList<Entry>> m_byText;
    int m_count = 0;
};

QSize measuredRoom(const QWidget* control, const QString& texts, int dpi)
{
    static QPointer<MeasuredRooms> rooms;
    if (!rooms)
        rooms = new MeasuredRooms(QCoreApplication::instance());
    return rooms->of(control, texts, dpi);
}

} // namespace

QSize RememberedCaptionRoom::of(const QWidget* control)
{
    QString texts = captionTexts(control);
    const int dpi = control->logicalDpiX();
    if (m_known && texts == m_texts && dpi == m_dpi && control->style() == m_style
        && control->font() == m_font)
        return m_room;
    m_room = measuredRoom(control, texts, dpi);
    m_texts = std::move(texts);
    m_font = control->font();
    m_dpi = dpi;
    m_style = control->style();
    m_known = true;
    return m_room;
}

void fitButtonToCaption(QPushButton* button, QSize design)
{
    const QSize room = measuredRoom(button, captionTexts(button), button->logicalDpiX());
    button->setFixedSize(design.expandedTo(QSize(room.width(), 0)));
}
