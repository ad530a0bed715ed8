#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <string_view>

#include "platform/MessagePresenter.h"

// Text as a message box shows it: CR LF pairs (and lone CRs) become line feeds.
QString MessageBoxText(std::string_view text);

// Message boxes owned by a program's window.
class CMessageBoxPresenter : public IMessagePresenter {
  public:
    void SetOwner(QWidget* owner) { m_owner = owner; }
    MessageAnswer Show(std::string_view text, std::string_view caption, MessageButtons buttons,
                       MessageIcon icon) override;

  private:
    QPointer<QWidget> m_owner;
};
