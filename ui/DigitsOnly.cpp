// SPDX-FileCopyrightText: 2026 odu-switch-dialogs contributors
//
// SPDX-License-Identifier: BSD-3-Clause

#include "ui/DigitsOnly.h"

#include <QLineEdit>
#include <QValidator>

#include <algorithm>

namespace {

class DigitsValidator : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString& text, int&) const override
    {
        const bool digits = std::all_of(text.cbegin(), text.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
        return digits ? Acceptable : Invalid;
    }
};

} // namespace

void acceptDigitsOnly(QLineEdit* edit)
{
    edit->setValidator(new DigitsValidator(edit));
}
