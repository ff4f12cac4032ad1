// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/MeasuredText.h"

#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QScreen>


namespace {

class MeasuredTexts : public QObject
{
public:
    using QObject::QObject;

    MeasuredText of(const QFont& font, const QString& text)
    {
        // The default screen's density decides the pixels of a face.
        const QScreen* screen = QGuiApplication::primaryScreen();
        const qreal dpi = screen ? screen->logicalDotsPerInchX() : 0;
        QHash<QString, MeasuredText>* texts = nullptr;
        for (Face& face : m_faces)
            if (face.dpi == dpi && face.font == font) {
                texts = &face.texts;
                break;
            }
        if (!texts) {
            m_faces.append({font, dpi, {}});
            texts = &m_faces.last().texts;
        }
        if (const auto it = texts->constFind(text); it != texts->cend())
            return *it;
        if (++m_count > kMostEntries) {
            m_faces = {{font, dpi, {}}};
            texts = &m_faces.last().texts;
            m_count = 1;
        }
        const QFontMetrics metrics(font);
        const MeasuredText measure{metrics.size(0, text), metrics.tightBoundingRect(text)};
        texts->insert(text, measure);
        return measure;
    }

private:
    // Every text of both dialogs in several faces; beyond that, texts are
    // measured afresh.
    static constexpr int kMostEntries = 4096;
    struct Face
    {
        QFont font;
        qreal dpi;
        QHash<QString, MeasuredText> texts;
    };
    QList<Face> m_faces;
    int m_count = 0;
};

} // namespace

int MeasuredText::inkOutside() const
{
    if (size.isEmpty())
        return 0;
    return qMax(0, glyphs.right() + 1 - size.width()) + qMax(0, -glyphs.left());
}

MeasuredText measuredText(const QFont& font, const QString& text)
{
    static QPointer<MeasuredTexts> texts;
    if (!texts)
        texts = new MeasuredTexts(QCoreApplication::instance());
    return texts->of(font, text);
}
