#pragma once

#include <QGroupBox>
#include <QString>

// A group box as dialog templates draw it: an etched frame with its title, in the dialog's own
// font, set into the top edge. It only decorates (it takes no focus and holds no controls), yet a
// screen reader finds it as a group under its title.
class CGroupBox : public QGroupBox {
    Q_OBJECT
  public:
    CGroupBox(const QString& title, QWidget* parent);
    ~CGroupBox() override;

  protected:
    void paintEvent(QPaintEvent* event) override;
};
