#include "app/DigitsEdit.h"

#include <QLineEdit>

#include "engine/NumberText.h"
#include "input/TypedNumber.h"

CDigitsValidator::CDigitsValidator(bool allowGan, QObject* parent)
    : QValidator(parent), m_bAllowGan(allowGan) {}

QValidator::State CDigitsValidator::validate(QString& input, int& pos) const {
    (void)pos;  // the conversion keeps every character's place
    input = QString::fromStdString(ToAsciiDigits(input.toStdString()));
    return input.isEmpty() || DigitsOf(input.toStdString(), 0, m_bAllowGan) ? Acceptable : Invalid;
}

void UseDigitsInput(QLineEdit& edit, bool allowGan) {
    edit.setValidator(new CDigitsValidator(allowGan, &edit));
    edit.setInputMethodHints(allowGan ? Qt::ImhPreferNumbers : Qt::ImhDigitsOnly);
}
