// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// The quick text widths that spare the dialogs from shaping every caption,
// and the caption rooms the fixed-position panels remember: a quick answer
// may say less than it could, never something false, and a remembered room
// never outlives the texts, font or density it was measured for.
#include "ui/CaptionRoom.h"
#include "ui/TextWidth.h"

#include <QApplication>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTest>

#include <algorithm>

namespace {

// Texts of the kinds the catalogues hold: English and accented Latin,
// Cyrillic and Greek, digits, blanks and punctuation, and a few characters
// the quick sum leaves to shaping (combining marks, Arabic, Hebrew).
QString randomText(QRandomGenerator& random)
{
    static const QString alphabet = QStringLiteral(
        "abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ 0123456789 &-()./:"
        "áčďéěíňóřšťúůýžÁČŘŠŽäöüßÄÖÜ àâçèêëîïôûÀÇÉ ąęłńśźżŁŚ"
        "абвгдежзийклмнопрстуфхцчшщыэюяАБВГДЖЗ αβγδεζηθλμπσφωΑΒΓΔΩ"
        "\u0301\u0308 مرحبا שלום");
    QString text;
    const int length = random.bounded(0, 40);
    for (int i = 0; i < length; ++i)
        text += alphabet.at(random.bounded(alphabet.size()));
    return text;
}

QFont dialogLikeFont()
{
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans Narrow"),
                      QStringLiteral("DejaVu Sans Condensed")});
    font.setPointSizeF(8.25);
    return font;
}

} // namespace

class TestTextWidth : public QObject
{
    Q_OBJECT

private slots:
    void quickAnswersAreNeverWrong_data()
    {
        QTest::addColumn<QFont>("font");
        QTest::newRow("application font") << QApplication::font();
        QTest::newRow("dialog font") << dialogLikeFont();
        QFont bold = dialogLikeFont();
        bold.setBold(true);
        QTest::newRow("bold dialog font") << bold;
    }

    void quickAnswersAreNeverWrong()
    {
        QFETCH(QFont, font);
        const QFontMetrics exact(font);
        const TextWidth quick{QFontMetricsF(exact)};
        QRandomGenerator random(20261209);
        for (int i = 0; i < 3000; ++i) {
            const QString text = randomText(random);
            const int width = exact.horizontalAdvance(text);
            // Texts in the scripts the quick sum serves are answered at once
            // when there is plenty of room; otherwise it saves nothing.
            const bool summable = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
                return c.unicode() < 0x0590 && !c.isMark();
            });
            if (summable)
                QVERIFY2(quick.surelyFits(text, width + 40), qPrintable(text));
            // Around the text's own width, where a wrong sum would show.
            for (const int room : {width - 3, width - 1, width, width + 1, width + 3, width + 40}) {
                if (quick.surelyFits(text, room)) {
                    QVERIFY2(width <= room, qPrintable(QStringLiteral("%1 in %2 px").arg(text).arg(room)));
                    QVERIFY2(exact.size(0, text).width() <= room, qPrintable(text));
                }
                if (quick.surelyExceeds(text, room))
                    QVERIFY2(width > room, qPrintable(QStringLiteral("%1 over %2 px").arg(text).arg(room)));
                // A head that stands for the text is wider than the room by
                // itself, so eliding it cuts where eliding the text would.
                const qsizetype head = quick.headWiderThan(text, room);
                QVERIFY(head >= 0 && head <= text.size());
                if (head < text.size()) {
                    QVERIFY2(exact.horizontalAdvance(text.left(head)) > room, qPrintable(text));
                    QCOMPARE(exact.elidedText(text.left(head + 1), Qt::ElideRight, room),
                             exact.elidedText(text, Qt::ElideRight, room));
                }
            }
        }
    }

    void scriptsThatChangeShapeAreLeftToShaping()
    {
        const QFontMetrics exact(QApplication::font());
        const TextWidth quick{QFontMetricsF(exact)};
        for (const QString& text : {QStringLiteral("مرحبا"), QStringLiteral("שלום"),
                                    QStringLiteral("e\u0301e\u0301"), QStringLiteral("\U0001F600")}) {
            QVERIFY2(!quick.surelyFits(text, 10000), qPrintable(text));
            QCOMPARE(quick.headWiderThan(text, 10000), text.size());
        }
    }

    void rememberedRoomFollowsWhatItWasMeasuredFor()
    {
        QWidget panel;
        auto* label = new QLabel(QStringLiteral("Default VID"), &panel);
        auto* box = new QComboBox(&panel);
        box->setEditable(true);
        box->addItems({QStringLiteral("Admit All"), QStringLiteral("Tag only")});
        auto* button = new QPushButton(QStringLiteral("&Set"), &panel);

        for (QWidget* control : std::initializer_list<QWidget*>{label, box, button}) {
            RememberedCaptionRoom room;
            QCOMPARE(room.of(control), captionRoom(control));
            QCOMPARE(room.of(control), captionRoom(control)); // asked again, unchanged
        }

        RememberedCaptionRoom labelRoom, boxRoom, buttonRoom;
        labelRoom.of(label);
        boxRoom.of(box);
        buttonRoom.of(button);
        label->setText(QStringLiteral("Standard-VID der Leitung"));
        box->setItemText(1, QStringLiteral("Nur mit Kennzeichnung"));
        button->setText(QStringLiteral("&Übernehmen und schließen"));
        QCOMPARE(labelRoom.of(label), captionRoom(label));
        QCOMPARE(boxRoom.of(box), captionRoom(box));
        QCOMPARE(buttonRoom.of(button), captionRoom(button));
        QVERIFY(boxRoom.of(box).width() > QFontMetrics(box->font()).horizontalAdvance(QStringLiteral("Admit All")));

        QFont larger = label->font();
        larger.setPointSizeF(larger.pointSizeF() * 2);
        const QSize before = labelRoom.of(label);
        label->setFont(larger);
        QCOMPARE(labelRoom.of(label), captionRoom(label));
        QVERIFY(labelRoom.of(label).width() > before.width());
    }

    void roomsKnownFromEarlierOpeningsFollowTheFace()
    {
        // The same named control of a form, in the face and at the size of
        // each opening: a room measured in an earlier one is not reused for
        // another face.
        for (const qreal scale : {1.0, 1.5, 1.0, 2.0}) {
            QWidget panel;
            auto* label = new QLabel(QStringLiteral("Provider Ether Type"), &panel);
            label->setObjectName(QStringLiteral("Label12"));
            QFont font = label->font();
            font.setPointSizeF(font.pointSizeF() * scale);
            label->setFont(font);
            RememberedCaptionRoom room;
            QCOMPARE(room.of(label), captionRoom(label));
        }
    }
};

QTEST_MAIN(TestTextWidth)
#include "tst_text_width.moc"
