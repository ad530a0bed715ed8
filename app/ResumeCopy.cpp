#include "app/ResumeCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QWidget>

#include "app/DialogUnits.h"
#include "app/ResumeBlock.h"

namespace {

// Below the link, in the columns of the buttons above the history; IDs after the template's.
struct CopyButton {
    Control control;
    const char* name;
    const char* caption;
    const char* toolTip;
    int x;
    ResumeCalendar calendar;
};
constexpr CopyButton kButtons[] = {
    {Control::CopyResumeWareki, "copyResumeWareki", "履歴書用に和暦でコピー(&W)",
     "履歴書の学歴欄に貼り付けられる形（年・月・学歴のタブ区切り、年は「平成10」の形）で"
     "クリップボードにコピーします",
     215, ResumeCalendar::Wareki},
    {Control::CopyResumeSeireki, "copyResumeSeireki", "履歴書用に西暦でコピー(&S)",
     "履歴書の学歴欄に貼り付けられる形（年・月・学歴のタブ区切り、年は「1998」の形）で"
     "クリップボードにコピーします",
     318, ResumeCalendar::Seireki},
};
constexpr int kButtonY = 369;
constexpr int kButtonWidth = 100;
constexpr int kButtonHeight = 14;

}  // namespace

QString ResumeCopyName(Control control) {
    for (const CopyButton& row : kButtons) {
        if (row.control == control) return QString::fromUtf8(row.name);
    }
    return {};
}

void CSystemClipboard::SetText(const QString& text) {
    QGuiApplication::clipboard()->setText(text);
}

CResumeCopy::CResumeCopy(QWidget& dialog, const DialogBaseUnits& base, CResumeBlock& block,
                         IClipboard& clipboard)
    : m_block(block), m_clipboard(clipboard) {
    for (std::size_t i = 0; i < m_buttons.size(); ++i) {
        const CopyButton& row = kButtons[i];
        auto* button = new QPushButton(QString::fromUtf8(row.caption), &dialog);
        button->setObjectName(QString::fromUtf8(row.name));
        button->setToolTip(QString::fromUtf8(row.toolTip));
        button->setGeometry(DluRect(base, row.x, kButtonY, kButtonWidth, kButtonHeight));
        button->setEnabled(false);
        const ResumeCalendar calendar = row.calendar;
        QObject::connect(button, &QPushButton::clicked, button,
                         [this, calendar] { Copy(calendar); });
        m_buttons[i] = button;
    }
}

void CResumeCopy::SetEnabled(bool enabled) {
    for (QPushButton* button : m_buttons) button->setEnabled(enabled);
}

void CResumeCopy::Copy(ResumeCalendar calendar) {
    if (m_block.RowsUsable())
        m_clipboard.SetText(QString::fromStdString(ResumeTsv(m_block.Rows(), calendar)));
}

CResumeRowsPrompt::CResumeRowsPrompt(ISavePrompt& prompt, CResumeBlock& block)
    : m_prompt(prompt), m_block(block) {}

bool CResumeRowsPrompt::AskSavePath(const SavePromptSettings& settings, QString& path,
                                    std::size_t& fileType) {
    if (!m_prompt.AskSavePath(settings, path, fileType)) return false;
    const bool rows = fileType == static_cast<std::size_t>(ExportFileType::ResumeWareki) ||
                      fileType == static_cast<std::size_t>(ExportFileType::ResumeSeireki);
    if (!rows || !m_block.RowsRefused()) return true;
    m_block.RowsUsable();  // says what is refused
    return false;
}
