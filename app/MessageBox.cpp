#include "app/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

QWidget* AskingWindow(QWidget* owner) {
    QWidget* active = QApplication::activeWindow();
    for (QWidget* w = active; w && owner; w = w->parentWidget()) {
        if (w == owner) return active;
    }
    return owner;
}

QString MessageBoxText(std::string_view text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

MessageAnswer CMessageBoxPresenter::Show(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(AskingWindow(m_owner));
    box.setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
    box.setTextFormat(Qt::PlainText);
    box.setText(MessageBoxText(text));
    switch (icon) {
        case MessageIcon::None:
            box.setIcon(QMessageBox::NoIcon);
            break;
        case MessageIcon::Warning:
            box.setIcon(QMessageBox::Warning);
            break;
        case MessageIcon::Question:
            box.setIcon(QMessageBox::Question);
            break;
    }
    // The button texts of a Japanese system, whatever translations are installed.
    if (buttons == MessageButtons::YesNo) {
        QPushButton* yes = box.addButton(QStringLiteral("はい(&Y)"), QMessageBox::YesRole);
        QPushButton* no = box.addButton(QStringLiteral("いいえ(&N)"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
        box.exec();
        return box.clickedButton() == yes ? MessageAnswer::Yes : MessageAnswer::No;
    }
    QPushButton* ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    box.setDefaultButton(ok);
    box.setEscapeButton(ok);
    box.exec();
    return MessageAnswer::Ok;
}
