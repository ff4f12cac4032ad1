// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

// A catalogue comes from translators and is untrusted input. Its texts are
// shown verbatim: a text that looks like markup must never be interpreted as
// rich text, because a rich-text label loads whatever local file an <img>
// names while the dialog is being built. With `nms=<img src="/dev/zero">` the
// VLAN dialog's constructor read until memory ran out (std::bad_alloc, the
// host dies); with a named pipe it blocked for ever (the host hangs).
//
// Every label of the three dialogs gets its catalogue text here as
// <img src="a 300x200 picture">; a label that shows the picture instead of
// the text is as tall as the picture.

#include "core/IniFile.h"
#include "core/CaptionTables.h"
#include "qos/Qos_form.h"
#include "vlan/Unit3.h"
#include "vlan/Vlan_form.h"

#include <QImage>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <memory>

class TestCatalogueMarkup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void labelsShowMarkupAsText_data();
    void labelsShowMarkupAsText();

private:
    QTemporaryDir m_dir;
    QString m_markup;
    std::unique_ptr<TIniFile> m_ini;
};

void TestCatalogueMarkup::initTestCase()
{
    QVERIFY(m_dir.isValid());
    const QString picture = m_dir.filePath(QStringLiteral("picture.png"));
    QImage image(300, 200, QImage::Format_RGB32);
    image.fill(Qt::red);
    QVERIFY(image.save(picture));
    m_markup = QStringLiteral("<img src=\"%1\">").arg(picture);

    const QByteArray text = CaptionTables::catalogueText([this](const CaptionRow&) { return m_markup; });
    const QString file = m_dir.filePath(QStringLiteral("markup.ini"));
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    m_ini = std::make_unique<TIniFile>(file);
}

void TestCatalogueMarkup::labelsShowMarkupAsText_data()
{
    QTest::addColumn<int>("dialog");
    QTest::newRow("QoS dialog") << 0;
    QTest::newRow("VLAN dialog") << 1;
    QTest::newRow("VID entry dialog, refused VID") << 2;
}

void TestCatalogueMarkup::labelsShowMarkupAsText()
{
    QFETCH(int, dialog);
    std::array<unsigned char, kVlanConfigSize> bytes{};
    bytes.fill(0xFF);
    int size = 0;
    short vid = 0;
    std::unique_ptr<QDialog> d;
    switch (dialog) {
    case 0:
        d.reset(new TQos_form(nullptr, true, m_ini.get(), bytes.data(), &size));
        d->setAttribute(Qt::WA_DeleteOnClose, false);
        break;
    case 1:
        d.reset(new TVlan_form(nullptr, true, m_ini.get(), bytes.data(), &size, false, 1, 0, 0, kLine4CapabilityBit));
        break;
    default: {
        auto* entry = new TForm3(nullptr, m_ini.get(), 9999, &vid);
        d.reset(entry);
        entry->Button1Click(entry->Button1); // shows the out-of-range text
        break;
    }
    }
    d->show();
    (void)d->grab();

    int fromCatalogue = 0;
    for (QLabel* label : d->findChildren<QLabel*>()) {
        // A caption too long for the screen is elided, its full text in the tooltip.
        if (label->text() != m_markup && label->toolTip() != m_markup)
            continue;
        ++fromCatalogue;
        QVERIFY2(label->sizeHint().height() < 100,
                 qPrintable(QStringLiteral("%1 shows its catalogue text as rich text (%2 pixels high)")
                                .arg(label->objectName())
                                .arg(label->sizeHint().height())));
    }
    QVERIFY(fromCatalogue > 0);
}

QTEST_MAIN(TestCatalogueMarkup)
#include "tst_catalogue_markup.moc"
