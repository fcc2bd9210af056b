// Message boxes and questions go through this interface so that tests (and a console run)
// answer them and check their texts, while the window shows real dialogs.
#pragma once

#include <cstdint>
#include <string>

namespace glyphora {

enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo, YesNoNoToAllYesToAll };

// The button that closed a message box or question; None where nothing was asked yet.
enum class DialogAnswer { None, Ok, Cancel, Yes, No, NoToAll, YesToAll };

class MessageDialogs {
public:
    virtual ~MessageDialogs() = default;
    // Shows text with the application title as caption; returns the button chosen.
    virtual DialogAnswer Show(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;
};

// The console default for code that is given no dialogs: messages go to stderr and every
// question is answered "no", so nothing is ever replaced unasked. It keeps no state.
MessageDialogs& ConsoleMessageDialogs();

} // namespace glyphora
