#pragma once

#include <QString>
#include <QWidget>

// A group box as dialog templates draw it: an etched frame with its title, in the dialog's own
// font, set into the top edge. It only decorates: it takes no focus and holds no controls.
class CGroupBox : public QWidget {
    Q_OBJECT
  public:
    CGroupBox(const QString& title, QWidget* parent);
    ~CGroupBox() override;

    const QString& Title() const { return m_strTitle; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QString m_strTitle;
};
