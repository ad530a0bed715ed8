#include "app/QtServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>

#include "print/ResumeSheet.h"

namespace {

// The window a box asks from: the active window when it is the owner or one of its windows (the
// 学歴欄 window), else the owner.
QWidget* AskingWindow(QWidget* owner) {
    QWidget* active = QApplication::activeWindow();
    for (QWidget* w = active; w && owner; w = w->parentWidget()) {
        if (w == owner) return active;
    }
    return owner;
}

}  // namespace

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

bool CFileDialogSavePrompt::AskSavePath(const SavePromptSettings& settings, QString& path,
                                        std::size_t& fileType) {
    const QString start = settings.initialFolder.isEmpty()
                              ? settings.initialName
                              : QDir(settings.initialFolder).filePath(settings.initialName);
    QStringList filters;
    QStringList suffixes;
    for (const SaveFileType& type : settings.fileTypes) {
        filters << type.filter;
        suffixes << type.suffix;
    }
    QFileDialog dialog(AskingWindow(m_owner), settings.title, start);
    dialog.setNameFilters(filters);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(suffixes.value(0));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    // Another file type gives its suffix to a name that ends in one of the listed suffixes.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const QString suffix = suffixes.value(filters.indexOf(filter));
        if (suffix.isEmpty()) return;
        dialog.setDefaultSuffix(suffix);
        const QStringList typed = dialog.selectedFiles();
        if (typed.isEmpty()) return;
        const QFileInfo name(typed.constFirst());
        if (name.suffix() != suffix && suffixes.contains(name.suffix(), Qt::CaseInsensitive))
            dialog.selectFile(name.completeBaseName() + QLatin1Char('.') + suffix);
    });
    if (dialog.exec() != QDialog::Accepted) return false;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) return false;
    path = files.constFirst();
    fileType = static_cast<std::size_t>(
        std::max<qsizetype>(0, filters.indexOf(dialog.selectedNameFilter())));
    return true;
}

PrintOutcome CPrintDialogResumePrinter::Print(const std::vector<ResumeRow>& rows,
                                              ResumeCalendar calendar, QWidget* owner) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QString::fromUtf8(kResumeWindowTitle));
    QPrintDialog dialog(&printer, owner);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    if (dialog.exec() != QDialog::Accepted) return PrintOutcome::Cancelled;
    QPainter painter;
    if (!painter.begin(&printer)) return PrintOutcome::Failed;
    const QRect area = printer.pageLayout().paintRectPixels(printer.resolution());
    PaintResumeSheet(painter, QRectF(QPointF(0, 0), QSizeF(area.size())), rows, calendar);
    return painter.end() ? PrintOutcome::Printed : PrintOutcome::Failed;
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
