#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <vector>

#include "input/EventInputs.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The list 「休学・留学など」 of the 学歴欄 window: one line per row (its number, kind, school,
// months and text) and, under it, the fields of the selected row, each labelled as the input
// layer describes the row's kind; a row shows only the fields its kind uses. Rows are added,
// removed (the button, or Delete in the list) and edited from the keyboard. A refused row is
// named in red under the fields.
class CEventList : public QWidget {
    Q_OBJECT
  public:
    explicit CEventList(QWidget* parent = nullptr);

    // Shows rows, keeping the selected line where there still is one.
    void SetRows(const std::vector<EventInput>& rows);
    const std::vector<EventInput>& Rows() const { return m_aRows; }
    // The refusal of a row in red; "" for none.
    void ShowRefusal(const std::string& refusal);
    // Selects row and puts the focus on the control of its field.
    void FocusField(int row, EventField field);

    void OnAdd();
    void OnRemove();

  signals:
    // The rows changed: as typed (finished false), or once an edit is left, a list chosen, a row
    // added or removed (finished true).
    void RowsChanged(bool finished);

  private:
    QLayout* CreateFields();
    QLayout* CreateButtons();
    // The control of a field of the selected row.
    QWidget* FieldWidget(EventField field) const;
    EventInput* Selected();
    void ShowSelected();
    void UpdateLine(int row);
    void OnKindChosen();
    void OnStageChosen();
    void OnTextEdited(EventField field, const QString& text);
    void UpdateButtons();

    std::vector<EventInput> m_aRows;
    QListWidget* m_list = nullptr;
    QComboBox* m_cmbKind = nullptr;
    QComboBox* m_cmbStage = nullptr;
    std::array<QLineEdit*, 4> m_aEdits{};  // from, to, place, department
    // The labels of kind, stage, from, to, place and department, in the order of EventField.
    std::array<QLabel*, 6> m_aLabels{};
    QPushButton* m_btnAdd = nullptr;
    QPushButton* m_btnRemove = nullptr;
    QLabel* m_lblRefusal = nullptr;
};
