#pragma once

#include <QValidator>

class QLineEdit;

// Takes digits only. Full-width digits, as an input method in full-width mode gives them, are
// turned into ASCII digits as they are typed or pasted, one character for one, so a length
// limit counts the converted text. With allowGan "元" alone is taken too (an era's first year).
class CDigitsValidator : public QValidator {
    Q_OBJECT
  public:
    explicit CDigitsValidator(bool allowGan, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

  private:
    bool m_bAllowGan;
};

// Makes edit a number edit: the validator above, and a hint to the input method that digits
// are wanted.
void UseDigitsInput(QLineEdit& edit, bool allowGan = false);
