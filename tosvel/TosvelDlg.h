#pragma once

#include <QDialog>

#include "engine/CivilDate.h"
#include "tosvel/TosvelForm.h"

class IMessagePresenter;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

// Tosvel's window: a date typed on either side is converted to the other as it is typed, and the
// year table shows every year with its eras, 干支 and the age for a typed birth year. The inputs
// are kept in stateFolder (none when it is empty) when the window closes; presenter says so when
// they could not be.
class CTosvelDlg : public QDialog {
    Q_OBJECT
  public:
    CTosvelDlg(const CivilDate& today, QString stateFolder, IMessagePresenter& presenter,
               QWidget* parent = nullptr);
    ~CTosvelDlg() override;

    // The table as copied: a heading line, then one line per year.
    QString TableText() const;
    void OnCopyTable();

    QLineEdit* SeirekiEdit(int field) const { return m_editSeireki[field]; }
    QLineEdit* WarekiEdit(int field) const { return m_editWareki[field]; }
    QComboBox* EraCombo() const { return m_cmbEra; }
    QLineEdit* BirthYearEdit() const { return m_editBirthYear; }
    QLabel* ResultLabel() const { return m_lblResult; }
    QLabel* AgeLabel() const { return m_lblAge; }
    QTableWidget* Table() const { return m_table; }
    int CurrentYearRow() const;

  public slots:
    void done(int result) override;

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    void CreateControls();
    QWidget* CreateDateRows();
    QWidget* CreateTable();
    void FillTable();
    void OnDateEdited(bool fromWareki);
    void OnBirthYearEdited();
    void ShowInputs();
    void ShowConversion();

    CivilDate m_today;
    QString m_strStateFolder;
    IMessagePresenter& m_presenter;
    TosvelInputs m_inputs;

    QLineEdit* m_editSeireki[3] = {};
    QLineEdit* m_editWareki[3] = {};
    QComboBox* m_cmbEra = nullptr;
    QLabel* m_lblResult = nullptr;
    QLineEdit* m_editBirthYear = nullptr;
    QLabel* m_lblAge = nullptr;
    QPushButton* m_btnCopy = nullptr;
    QTableWidget* m_table = nullptr;
};
