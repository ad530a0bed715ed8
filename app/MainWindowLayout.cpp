#include "app/MainWindowLayout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <algorithm>

#include "app/DialogUnits.h"
#include "app/DigitsEdit.h"
#include "app/GroupBox.h"
#include "app/InputBinding.h"
#include "app/ResumeCopy.h"
#include "app/StaticEx.h"
#include "input/ResumeInputs.h"
#include "platform/QtText.h"
#include "platform/Version.h"

namespace {

QRect BoxRect(const DialogBaseUnits& base, const DluBox& box) {
    return DluRect(base, box.x, box.y, box.width, box.height);
}

enum class ItemKind { Label, Button, HiddenButton, GroupBox, Separator, Link, ResumeList };

// A control of the window that is no input. An item with `after` follows that input in the
// template and tab order; the others are created first, beneath the inputs. A label names the
// control it stands for (its buddy), which a screen reader announces by it. A list of the 学歴
// block's choices is the input of ResumeSchema() by its name, under the input's title (at
// caption) with the mnemonic in text.
struct MainWindowItem {
    ItemKind kind;
    Control control;
    Control after;
    std::string_view name;
    std::string_view text;
    DluBox box;
    Control buddy = Control::None;
    DluBox caption{};
};

using K = ItemKind;
using C = Control;

constexpr MainWindowItem kWindowItems[] = {
    {K::HiddenButton, C::Cancel, C::None, "cancel", "ｷｬﾝｾﾙ", {155, 67, 25, 14}},
    {K::GroupBox, C::HistoryGroup, C::None, "historyGroup", "履歴", {215, 44, 202, 291}},
    {K::HiddenButton, C::Version, C::None, "version", "バージョン(&V)", {321, 371, 100, 14}},
    {K::Label, C::Particle, C::None, "particle", "を", {109, 24, 9, 8}, C::Outcome},
    {K::Separator, C::None, C::None, "", "", {2, 38, 417, 2}},
    {K::GroupBox, C::None, C::None, "", "進学・編入・飛び級について", {3, 158, 208, 227}},
    {K::Label, C::None, C::None, "", "最新版はこちら", {224, 339, 57, 8}, C::Link},
    {K::Button, C::Calculate, C::Outcome, "calculate", "計算(&C)", {215, 3, 100, 14}},
    {K::Button, C::LaunchTool, C::Outcome, "launchTool", "Tosvel(&T)", {215, 20, 100, 14}},
    {K::Button, C::Export, C::Outcome, "export", "ファイル出力(&F)", {318, 3, 100, 14}},
    {K::Button, C::Reset, C::HistoryText, "reset", "リセット(&R)", {318, 20, 100, 14}},
    {K::Link, C::Link, C::HistoryText, "link", kProjectPage, {287, 339, 123, 8}},
    {K::Button,
     C::ResumeWindow,
     C::HistoryText,
     "resumeWindow",
     "履歴書の学歴欄(&B)...",
     {215, 352, 100, 14}},
    // How a skipped year is written, under the two boxes that skip one.
    {K::ResumeList,
     C::ResumeSkip,
     C::SkipUniversityLastYear,
     "resumeSkip",
     "K",
     {90, 308, 70, 40},
     C::None,
     {19, 311, 68, 8}},
};

// Creates the controls of one window, in order.
class CLayoutBuilder {
  public:
    CLayoutBuilder(QWidget& window, const DialogBaseUnits& base) : m_window(window), m_base(base) {}

    MainWindowControls Build();

  private:
    QWidget* CreateItem(const MainWindowItem& item);
    QWidget* CreateInput(const InputField& field);
    QWidget* CreateCombo(const DluBox& box);
    QWidget* CreateResumeList(const MainWindowItem& item);
    QWidget* CreateHistoryBox();
    QLabel* CreateLabel(const Caption& label);

    QWidget& m_window;
    const DialogBaseUnits& m_base;
    MainWindowControls m_controls;
    std::vector<std::pair<QLabel*, Control>> m_aBuddies;  // set once every control is there
};

MainWindowControls CLayoutBuilder::Build() {
    for (const MainWindowItem& item : kWindowItems) {
        if (item.after == Control::None) CreateItem(item);
    }
    const auto fields = InputSchema();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        m_controls.inputs[i] = CreateInput(fields[i]);
        for (const MainWindowItem& item : kWindowItems) {
            if (item.after == fields[i].control) CreateItem(item);
        }
    }
    for (const auto& [label, buddy] : m_aBuddies) {
        label->setBuddy(m_controls.Widget(buddy));
        // A particle says nothing by itself: it names its list by what the list asks.
        if (const InputField* field = FindField(buddy))
            label->setAccessibleName(Utf8(field->title));
    }
    return std::move(m_controls);
}

QWidget* CLayoutBuilder::CreateItem(const MainWindowItem& item) {
    QWidget* widget = nullptr;
    switch (item.kind) {
        case ItemKind::Label:
            widget = CreateLabel(Caption{item.text, item.box});
            if (item.buddy != Control::None)
                m_aBuddies.emplace_back(static_cast<QLabel*>(widget), item.buddy);
            break;
        case ItemKind::Button:
        case ItemKind::HiddenButton:
            widget = new QPushButton(Utf8(item.text), &m_window);
            break;
        case ItemKind::GroupBox:
            widget = new CGroupBox(Utf8(item.text), &m_window);
            break;
        case ItemKind::Separator: {
            auto* line = new QFrame(&m_window);
            line->setFrameShape(QFrame::HLine);
            line->setFrameShadow(QFrame::Sunken);
            widget = line;
            break;
        }
        case ItemKind::Link:
            widget = new CStaticEx(&m_window);
            static_cast<CStaticEx*>(widget)->setText(Utf8(item.text));
            static_cast<CStaticEx*>(widget)->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            break;
        case ItemKind::ResumeList:
            return CreateResumeList(item);
    }
    widget->setGeometry(BoxRect(m_base, item.box));
    if (item.kind == ItemKind::HiddenButton) {
        widget->setEnabled(false);
        static_cast<QPushButton*>(widget)->setAutoDefault(false);
        widget->hide();
    }
    if (item.control != Control::None) {
        widget->setObjectName(Utf8(item.name));
        m_controls.others.emplace_back(item.control, widget);
    }
    return widget;
}

QWidget* CLayoutBuilder::CreateResumeList(const MainWindowItem& item) {
    const ResumeField& field = *FindResumeField(item.name);
    const QString title = Utf8(field.title);
    QLabel* label = CreateLabel(Caption{{}, item.caption});
    label->setText(title + QStringLiteral("(&%1)").arg(Utf8(item.text)));
    auto* combo = static_cast<QComboBox*>(CreateCombo(item.box));
    FillList(*combo, field.items);
    combo->setObjectName(Utf8(item.name));
    combo->setAccessibleName(title);
    label->setBuddy(combo);
    m_controls.others.emplace_back(item.control, combo);
    return combo;
}

QLabel* CLayoutBuilder::CreateLabel(const Caption& label) {
    auto* widget = new QLabel(Utf8(label.text), &m_window);
    widget->setTextFormat(Qt::PlainText);
    widget->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    widget->setGeometry(BoxRect(m_base, label.box));
    return widget;
}

// An input with the label before it, which names it (a check box's text is its own), and the
// unit after it.
QWidget* CLayoutBuilder::CreateInput(const InputField& field) {
    QLabel* caption = field.caption.box.width > 0 ? CreateLabel(field.caption) : nullptr;
    QWidget* widget = nullptr;
    switch (field.kind) {
        case InputKind::List:
            widget = CreateCombo(field.box);
            break;
        case InputKind::Text:
        case InputKind::Ronin:
        case InputKind::Ryunen: {
            auto* edit = new QLineEdit(&m_window);
            UseDigitsInput(*edit, field.allowsGan);
            if (field.kind == InputKind::Text)
                edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
            widget = edit;
            break;
        }
        case InputKind::Check:
            widget = new QCheckBox(Utf8(field.caption.text), &m_window);
            break;
        case InputKind::History:
            widget = CreateHistoryBox();
            break;
    }
    widget->setObjectName(Utf8(field.name));
    if (field.kind != InputKind::List) widget->setGeometry(BoxRect(m_base, field.box));
    if (caption) caption->setBuddy(widget);
    if (!field.unit.text.empty()) CreateLabel(field.unit);
    if (field.kind != InputKind::Check) widget->setAccessibleName(Utf8(field.title));
    return widget;
}

// The height given for a combo box is that of its opened list.
QWidget* CLayoutBuilder::CreateCombo(const DluBox& box) {
    auto* combo = new QComboBox(&m_window);
    const int height = DluToPixelsY(m_base, 13);
    combo->setGeometry(DluToPixelsX(m_base, box.x), DluToPixelsY(m_base, box.y),
                       DluToPixelsX(m_base, box.width), height);
    const int itemHeight = QFontMetrics(m_window.font()).height() + 2;
    const int listPixels = DluToPixelsY(m_base, box.height) - height;
    combo->setMaxVisibleItems(std::max(1, listPixels / itemHeight));
    return combo;
}

QWidget* CLayoutBuilder::CreateHistoryBox() {
    auto* box = new QPlainTextEdit(&m_window);
    box->setReadOnly(true);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setLineWrapMode(QPlainTextEdit::NoWrap);
    box->setFrameShape(QFrame::NoFrame);
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box->setTabChangesFocus(true);
    QPalette colours = box->palette();
    colours.setColor(QPalette::Base, colours.color(QPalette::Window));
    box->setPalette(colours);
    return box;
}

}  // namespace

QString ControlName(Control control) {
    if (const InputField* field = FindField(control)) return Utf8(field->name);
    for (const MainWindowItem& item : kWindowItems) {
        if (item.control == control) return Utf8(item.name);
    }
    return ResumeCopyName(control);
}

QWidget* MainWindowControls::Widget(Control control) const {
    if (const InputField* field = FindField(control))
        return inputs[static_cast<std::size_t>(field - InputSchema().data())];
    for (const auto& [id, widget] : others) {
        if (id == control) return widget;
    }
    return nullptr;
}

MainWindowControls CreateMainWindowControls(QWidget& window, const DialogBaseUnits& base) {
    return CLayoutBuilder(window, base).Build();
}
