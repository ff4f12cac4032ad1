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

constexpr const char* kChosenProperty = "_odu_cjk_language";
constexpr const char* kFaceProperty = "_odu_cjk_face";

// Latin letters or digits, which the design's narrow face would draw.
bool hasLatin(const QString& text)
{
    for (char32_t c : text.toUcs4()) {
        if (QChar::script(c) == QChar::Script_Latin || (c >= u'0' && c <= u'9'))
            return true;
    }
    return false;
}

QString installedFace(Cjk cjk)
{
    for (const QString& face : facesFor(cjk)) {
        if (QFontDatabase::hasFamily(face))
            return face;
    }
    return {};
}

void putFaceFirst(QWidget* control, const QString& face)
{
    QFont font = control->font();
    font.setFamilies(QStringList{face} + designFaces());
    control->setFont(font);
}

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

void followCaptionScript(QWidget* dialog, QWidget* control, const QString& caption)
{
    const Cjk cjk = cjkOf(caption);
    if (cjk == Cjk::None)
        return;
    // The dialog's language: kana or Hangul settle it, ideographs alone only
    // guess it, and a control given the guess takes the settled face later.
    const Cjk chosen = Cjk(dialog->property(kChosenProperty).toInt());
    if (chosen != Cjk::Japanese && chosen != Cjk::Korean && cjk != chosen) {
        const QString before = dialog->property(kFaceProperty).toString();
        const QString face = installedFace(cjk);
        dialog->setProperty(kChosenProperty, int(cjk));
        dialog->setProperty(kFaceProperty, face);
        if (!before.isEmpty() && !face.isEmpty()) {
            for (QWidget* w : dialog->findChildren<QWidget*>()) {
                if (w->font().families().value(0) == before)
                    putFaceFirst(w, face);
            }
        }
    }
    const QString face = dialog->property(kFaceProperty).toString();
    if (control && !face.isEmpty() && hasLatin(caption) && control->font().families().value(0) != face)
        putFaceFirst(control, face);
}
