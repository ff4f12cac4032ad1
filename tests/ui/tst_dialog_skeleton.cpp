// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "qos/Qos_form.h"
#include "tests/support/DialogFixtures.h"
#include "ui/CaptionRoom.h"
#include "ui/DialogSkeleton.h"
#include "ui/Density.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QVBoxLayout>

#include <functional>

Q_DECLARE_METATYPE(std::function<QIcon()>)

namespace {

bool resourcesRegistered = false;

// A form as setupUi leaves it (design sizes at 96 pixels per inch), dressed
// and placed by the skeleton.
struct Form : QDialog
{
    DialogSkeleton skeleton{this};
    QLabel* label;
    QPushButton* button;

    Form(QWidget* owner, const QString& caption, DialogSkeleton::Border border)
        : QDialog(owner)
    {
        resize(300, 100);
        setMinimumSize(200, 80);
        setMaximumSize(400, QWIDGETSIZE_MAX);
        auto* layout = new QVBoxLayout(this);
        label = new QLabel(QStringLiteral("<b>caption</b>"), this);
        button = new QPushButton(caption, this);
        button->setMinimumSize(75, 25);
        button->setMaximumSize(75, 25);
        layout->addWidget(label);
        layout->addWidget(button);
        skeleton.dress(QStringLiteral(":/no/such/icon.png"), [] { resourcesRegistered = true; },
                       Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        skeleton.keepButtonsFitted({button});
        skeleton.place(QSize(), QSize(), border);
    }
};

} // namespace

class TestDialogSkeleton : public QObject
{
    Q_OBJECT

private slots:
    void fitsTheFormToDensityAndScreen_data();
    void fitsTheFormToDensityAndScreen();
    void takesTheOwnersLook_data();
    void takesTheOwnersLook();
    void dialogsShowTheirOwnIcons_data();
    void dialogsShowTheirOwnIcons();
};

void TestDialogSkeleton::fitsTheFormToDensityAndScreen_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("fixed");
    QTest::newRow("short caption, sizeable border") << QStringLiteral("&Ok") << false;
    QTest::newRow("caption wider than the button, sizeable border")
        << QStringLiteral("A caption far wider than its designed button") << false;
    QTest::newRow("short caption, fixed border") << QStringLiteral("&Ok") << true;
    QTest::newRow("caption wider than the button, fixed border")
        << QStringLiteral("A caption far wider than its designed button") << true;
}

void TestDialogSkeleton::fitsTheFormToDensityAndScreen()
{
    QFETCH(QString, caption);
    QFETCH(bool, fixed);
    resourcesRegistered = false;
    Form form(nullptr, caption, fixed ? DialogSkeleton::Border::Fixed : DialogSkeleton::Border::Sizeable);
    const float f = densityFactor(&form);
    const auto scaled = [f](QSize s) { return QSize(scaledSize(s.width(), f), scaledSize(s.height(), f)); };

    QVERIFY(resourcesRegistered);
    QCOMPARE(form.label->textFormat(), Qt::PlainText);
    // The button: its designed size grown by the factor, wider for its caption.
    QCOMPARE(form.button->size(),
             QSize(qMax(scaledSize(75, f), captionRoom(form.button).width()), scaledSize(25, f)));
    // The window: the design grown by the factor, within the screen.
    const QSize screen = form.screen()->availableGeometry().size();
    QVERIFY(form.width() >= qMin(scaled(QSize(300, 100)).width(), screen.width()));
    QVERIFY(form.height() >= qMin(scaled(QSize(300, 100)).height(), screen.height()));
    QVERIFY(form.width() <= screen.width() && form.height() <= screen.height());
    if (fixed) {
        QCOMPARE(form.minimumSize(), form.size());
        QCOMPARE(form.maximumSize(), form.size());
    } else {
        QVERIFY(form.minimumWidth() >= scaledSize(200, f) && form.minimumHeight() >= scaledSize(80, f));
        QCOMPARE(form.maximumWidth(), qMax(scaledSize(400, f), form.minimumWidth()));
    }
}

void TestDialogSkeleton::takesTheOwnersLook_data()
{
    QTest::addColumn<Qt::LayoutDirection>("direction");
    QTest::addColumn<QColor>("window");
    QTest::newRow("left to right, the application's palette") << Qt::LeftToRight << QColor();
    QTest::newRow("right to left, a dark palette") << Qt::RightToLeft << QColor(0x20, 0x20, 0x28);
}

void TestDialogSkeleton::takesTheOwnersLook()
{
    QFETCH(Qt::LayoutDirection, direction);
    QFETCH(QColor, window);
    QWidget owner;
    owner.setLayoutDirection(direction);
    QPalette palette = owner.palette();
    if (window.isValid()) {
        palette.setColor(QPalette::Window, window);
        owner.setPalette(palette);
    }
    Form form(&owner, QStringLiteral("&Ok"), DialogSkeleton::Border::Sizeable);
    QCOMPARE(form.layoutDirection(), direction);
    QCOMPARE(form.palette().color(QPalette::Window), palette.color(QPalette::Window));
    QVERIFY(form.isWindow());
}

void TestDialogSkeleton::dialogsShowTheirOwnIcons_data()
{
    QTest::addColumn<std::function<QIcon()>>("iconOf");
    QTest::newRow("QoS dialog") << std::function<QIcon()>([] {
        QosBytes bytes = QosConfigArray::defaultImage();
        return makeQosDialog(bytes)->windowIcon();
    });
    QTest::newRow("VLAN dialog") << std::function<QIcon()>([] {
        VlanArray a;
        return makeVlanDialog(a)->windowIcon();
    });
    QTest::newRow("VID entry dialog") << std::function<QIcon()>([] {
        short vid = 0;
        return TForm3(nullptr, nullptr, 1, &vid).windowIcon();
    });
}

// Each dialog registers the resources its icon comes from.
void TestDialogSkeleton::dialogsShowTheirOwnIcons()
{
    QFETCH(std::function<QIcon()>, iconOf);
    const QIcon icon = iconOf();
    QVERIFY(!icon.isNull());
    QVERIFY(!icon.availableSizes().isEmpty());
}

QTEST_MAIN(TestDialogSkeleton)
#include "tst_dialog_skeleton.moc"
