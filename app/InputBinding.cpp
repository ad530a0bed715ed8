#include "app/InputBinding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <algorithm>

#include "export/ExportCommands.h"
#include "input/ChoiceLists.h"
#include "input/DialogInputs.h"
#include "platform/MessagePresenter.h"
#include "platform/QtText.h"

namespace {

// The box holds line feeds; the history text, like the file it is exported to, has CR LF.
std::string WithCrLf(const QString& boxText) {
    QString text = boxText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text.toStdString();
}

}  // namespace

int ReadChoice(const QWidget& widget) {
    if (const auto* box = qobject_cast<const QCheckBox*>(&widget)) return box->isChecked() ? 1 : 0;
    return static_cast<const QComboBox&>(widget).currentIndex();
}

void ShowChoice(QWidget& widget, int value) {
    if (auto* box = qobject_cast<QCheckBox*>(&widget)) {
        box->setChecked(value == 1);
        return;
    }
    auto& combo = static_cast<QComboBox&>(widget);
    combo.setCurrentIndex(value >= 0 && value < combo.count() ? value : -1);
}

void FillList(QComboBox& combo, const std::vector<std::string>& items) {
    QStringList texts;
    for (const std::string& item : items) texts << Utf8(item);
    combo.addItems(texts);
}

void ShowText(QLineEdit& edit, std::string_view text, int limit) {
    const QString value = Utf8(text);
    if (limit > 0) edit.setMaxLength(std::max(limit, static_cast<int>(value.size())));
    if (edit.text() != value) edit.setText(value);
}

CInputBinding::CInputBinding(const std::array<QWidget*, kInputCount>& widgets, DialogInputs& inputs,
                             std::string& historyText, IMessagePresenter& presenter)
    : m_widgets(widgets), m_inputs(inputs), m_strHistoryText(historyText), m_presenter(presenter) {}

void CInputBinding::FillLists() {
    const auto fields = InputSchema();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (fields[i].kind == InputKind::List)
            FillList(static_cast<QComboBox&>(*m_widgets[i]), ChoiceLists::Get().*fields[i].items);
    }
}

bool CInputBinding::Exchange(bool save) {
    for (const InputField* field : ExchangeOrder()) {
        if (!ExchangeField(*field, save)) return false;
    }
    return true;
}

bool CInputBinding::ExchangeField(const InputField& field, bool save) {
    QWidget& widget = *m_widgets[static_cast<std::size_t>(&field - InputSchema().data())];
    switch (field.kind) {
        case InputKind::List:
        case InputKind::Check:
            if (save)
                m_inputs.*field.number = ReadChoice(widget);
            else
                ShowChoice(widget, m_inputs.*field.number);
            return true;
        case InputKind::History:
            ExchangeHistoryText(widget, save);
            return true;
        default:
            return ExchangeText(field, static_cast<QLineEdit&>(widget), save);
    }
}

bool CInputBinding::ExchangeText(const InputField& field, QLineEdit& edit, bool save) {
    std::string& member = m_inputs.*field.text;
    if (!save) {
        ShowText(edit, member, field.maxLength);
        return true;
    }
    const QString text = edit.text();
    member = text.toStdString();
    if (field.maxLength > 0 && text.size() > field.maxLength) {
        m_presenter.Show(
            QStringLiteral("%1 文字以内で入力してください。").arg(field.maxLength).toStdString(),
            kCaptionApplication, MessageButtons::Ok, MessageIcon::Warning);
        edit.setFocus();
        edit.selectAll();
        return false;
    }
    return true;
}

void CInputBinding::ExchangeHistoryText(QWidget& box, bool save) {
    auto& history = static_cast<QPlainTextEdit&>(box);
    if (save) {
        m_strHistoryText = WithCrLf(history.toPlainText());
        return;
    }
    if (WithCrLf(history.toPlainText()) != m_strHistoryText)
        history.setPlainText(Utf8(m_strHistoryText));
}
