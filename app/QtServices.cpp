#include "app/QtServices.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QStandardPaths>
#include <QUrl>

#include "print/ResumeSheet.h"

namespace {

constexpr int kSavePromptWidth = 880;
constexpr int kSavePromptHeight = 520;

}  // namespace

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
    // Wide enough for the file list's columns and the longest file type.
    dialog.resize(dialog.sizeHint().expandedTo(QSize(kSavePromptWidth, kSavePromptHeight)));
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

CPrintDialogResumePrinter::CPrintDialogResumePrinter(const QString& folder) : m_strFolder(folder) {}

PrintOutcome CPrintDialogResumePrinter::Print(const std::vector<ResumeRow>& rows,
                                              ResumeCalendar calendar, QWidget* owner) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setDocName(QString::fromUtf8(kResumeWindowTitle));
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    // Qt's own dialog offers the printer's file for printing to a file; a printer, where there
    // is one, stays the choice.
    if (!m_strFolder.isEmpty()) {
        printer.setOutputFileName(QDir(m_strFolder).filePath(ResumeDocumentName("pdf")));
        printer.setOutputFormat(QPrinter::NativeFormat);
    }
#endif
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

QString SaveFolder() {
    // A desktop folder that does not exist is common on Linux.
    for (const auto location : {QStandardPaths::DesktopLocation, QStandardPaths::HomeLocation}) {
        const QString folder = QStandardPaths::writableLocation(location);
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    }
    return QString();
}
