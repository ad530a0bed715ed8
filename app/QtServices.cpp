#include "app/QtServices.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

QString MessageBoxText(std::string_view text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

MessageAnswer CMessageBoxPresenter::Show(std::string_view text, std::string_view caption,
                                         MessageButtons buttons, MessageIcon icon) {
    QMessageBox box(m_owner);
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

bool CFileDialogSavePrompt::AskSavePath(const SavePromptSettings& settings, QString& path) {
    const QString start = settings.initialFolder.isEmpty()
                              ? settings.initialName
                              : QDir(settings.initialFolder).filePath(settings.initialName);
    QFileDialog dialog(m_owner, settings.title, start, settings.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(settings.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return false;
    path = files.constFirst();
    return true;
}

void CDesktopFileOpener::OpenFile(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

QString DesktopFolder() {
    // A desktop folder that does not exist (common on Linux) leaves the prompt in its own
    // default folder.
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    return QFileInfo(folder).isDir() ? folder : QString();
}
