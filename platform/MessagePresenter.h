#pragma once

#include <string_view>

enum class MessageIcon { None, Warning, Question };
enum class MessageButtons { Ok, YesNo };
enum class MessageAnswer { Ok, Yes, No };

// Shows a modal message to the user; the window uses message boxes, tests record the calls.
class IMessagePresenter {
  public:
    virtual ~IMessagePresenter() = default;
    virtual MessageAnswer Show(std::string_view text, std::string_view caption,
                               MessageButtons buttons, MessageIcon icon) = 0;
};
