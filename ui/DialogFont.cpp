// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DialogFont.h"

#include <QFont>
#include <QFontDatabase>
#include <QLocale>
#include <QString>
#include <QVariant>
#include <QWidget>

namespace {

QStringList designFaces()
{
    return {QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans Narrow"),
            QStringLiteral("DejaVu Sans Condensed")};
}

// The languages a CJK face is made for.
enum class Cjk
{
    None,
    Ideographs, // Han alone: Chinese, or Japanese without kana
    Japanese,
    Korean,
};

Cjk cjkOf(const QString& text)
{
    Cjk found = Cjk::None;
    for (char32_t c : text.toUcs4()) {
        switch (QChar::script(c)) {
        case QChar::Script_Hiragana:
        case QChar::Script_Katakana:
            return Cjk::Japanese;
        case QChar::Script_Hangul:
            return Cjk::Korean;
        case QChar::Script_Han:
        case QChar::Script_Bopomofo:
            found = Cjk::Ideographs;
            break;
        default:
            break;
        }
    }
    return found;
}

QStringList facesFor(Cjk cjk)
{
    switch (cjk) {
    case Cjk::Japanese:
        return {QStringLiteral("Noto Sans CJK JP"), QStringLiteral("Source Han Sans JP"),
                QStringLiteral("IPAexGothic"), QStringLiteral("IPAGothic"), QStringLiteral("VL Gothic"),
                QStringLiteral("TakaoPGothic")};
    case Cjk::Korean:
        return {QStringLiteral("Noto Sans CJK KR"), QStringLiteral("Source Han Sans KR"),
                QStringLiteral("NanumGothic"), QStringLiteral("UnDotum")};
    case Cjk::Ideographs: {
        const QLocale locale = QLocale::system();
        if (locale.script() == QLocale::TraditionalChineseScript
            || locale.territory() == QLocale::Taiwan || locale.territory() == QLocale::HongKong)
            return {QStringLiteral("Noto Sans CJK TC"), QStringLiteral("Source Han Sans TC"),
                    QStringLiteral("AR PL UKai TW"), QStringLiteral("WenQuanYi Micro Hei")};
        return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Source Han Sans SC"),
                QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("WenQuanYi Zen Hei")};
    }
    case Cjk::None:
        break;
    }
    return {};
}

constexpr const char* kChosenProperty = "_odu_cjk_face";

} // namespace

void applyDialogFont(QWidget* dialog)
{
    QFont font = dialog->font();
    font.setFamilies(designFaces());
    font.setPointSizeF(8.25);
    dialog->setFont(font);
}

QFont designFont(const QFont& font)
{
    QFont design = font;
    design.setFamilies(designFaces());
    return design;
}

void followCaptionScript(QWidget* dialog, const QString& caption)
{
    const Cjk cjk = cjkOf(caption);
    const Cjk chosen = Cjk(dialog->property(kChosenProperty).toInt());
    // Kana or Hangul settle the language; ideographs alone only guess it.
    if (cjk == Cjk::None || cjk == chosen || chosen == Cjk::Japanese || chosen == Cjk::Korean)
        return;
    dialog->setProperty(kChosenProperty, int(cjk));
    for (const QString& face : facesFor(cjk)) {
        if (!QFontDatabase::hasFamily(face))
            continue;
        QFont font = dialog->font();
        font.setFamilies(QStringList{face} + designFaces());
        dialog->setFont(font);
        return;
    }
}
