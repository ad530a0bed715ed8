#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string_view>

#include "platform/MessagePresenter.h"

// Text as a message box shows it: CR LF pairs (and lone CRs) become line feeds.
QString MessageBoxText(std::string_view text);

// The window a box or prompt asks from: the active window when it is owner or one of owner's
// windows (such as the 学歴欄 window), else owner.
QWidget* AskingWindow(QWidget* owner);

// Message boxes owned by a program's window.
class CMessageBoxPresenter : public IMessagePresenter {
  public:
    void SetOwner(QWidget* owner) { m_owner = owner; }
    MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                       MessageIcon icon) override;

  private:
    QPointer<QWidget> m_owner;
};
