#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "input/InputSchema.h"

class IMessagePresenter;
class QComboBox;
class QLineEdit;
class QWidget;

// How the inputs of a schema meet their controls. The helpers serve both windows: the main
// window's input schema and the 学歴欄 window's ResumeSchema().

// A list's selected index (-1 for none) or a check box's value (1 checked, else 0).
int ReadChoice(const QWidget& widget);
// Selects a list's item (an index outside the list selects nothing) or sets a check box (1).
void ShowChoice(QWidget& widget, int value);
void FillList(QComboBox& combo, const std::vector<std::string>& items);
// Shows text in edit. A limit above 0 caps what can be typed, yet a longer text (from a settings
// file) is shown whole, so that reading it back refuses it instead of cutting it short.
void ShowText(QLineEdit& edit, std::string_view text, int limit);

// The main window's controls and the members of DialogInputs, exchanged in ExchangeOrder().
class CInputBinding {
  public:
    CInputBinding(const std::array<QWidget*, kInputCount>& widgets, DialogInputs& inputs,
                  std::string& historyText, IMessagePresenter& presenter);

    // Fills the lists with their items, once.
    void FillLists();
    // true: controls into the members, refusing a text longer than its limit with a message
    // (which ends the exchange, with the focus on that edit); false: members into the controls.
    bool Exchange(bool save);

  private:
    bool ExchangeField(const InputField& field, bool save);
    bool ExchangeText(const InputField& field, QLineEdit& edit, bool save);
    void ExchangeHistoryText(QWidget& box, bool save);

    const std::array<QWidget*, kInputCount>& m_widgets;
    DialogInputs& m_inputs;
    std::string& m_strHistoryText;
    IMessagePresenter& m_presenter;
};
