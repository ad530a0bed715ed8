#include "app/ResumeCopy.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPushButton>
#include <QWidget>

#include "app/DialogUnits.h"
#include "export/ExportCommands.h"
#include "platform/MessagePresenter.h"

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
constexpr int kButtonY = 354;
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

CResumeCopy::CResumeCopy(QWidget& dialog, const DialogBaseUnits& base,
                         const std::vector<ResumeRow>& rows, IMessagePresenter& presenter,
                         IClipboard* clipboard)
    : m_rows(rows),
      m_presenter(presenter),
      m_clipboard(clipboard ? *clipboard : m_systemClipboard) {
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
    if (m_rows.empty()) {
        m_presenter.Show(kMsgNoResumeRows, kCaptionApplication, MessageButtons::Ok,
                         MessageIcon::None);
        return;
    }
    m_clipboard.SetText(QString::fromStdString(ResumeTsv(m_rows, calendar)));
}
