#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The version dialog: the application icon, the program's name with its version and one line
// about it, with an OK button. OK, Enter and Esc close it.
class CAboutDlg : public QDialog {
    Q_OBJECT
  public:
    explicit CAboutDlg(QWidget* parent = nullptr);
    ~CAboutDlg() override;

  private:
    QLabel* m_icon = nullptr;
    QLabel* m_version = nullptr;
    QLabel* m_about = nullptr;
    QPushButton* m_btnOk = nullptr;
};

inline constexpr const char* kAboutTitle = "Vesmerのﾊﾞｰｼﾞｮﾝ情報";
inline constexpr const char* kAboutVersionText = "Vesmer Version 4.00";
inline constexpr const char* kAboutSecondLine = "学歴の入学・卒業の年月を計算します";
