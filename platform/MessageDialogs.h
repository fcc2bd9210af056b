// Message boxes and questions go through this interface so that tests (and a console run)
// answer them and check their texts, while the window shows real dialogs. The results are
// the platform's modal results.
#pragma once

#include <cstdint>
#include <string>

namespace glyphora {

enum class MessageIcon { Error, Warning, Information, Question };
enum class MessageButtons { Ok, YesNo, YesNoNoToAllYesToAll };

enum ModalResult : std::uint16_t {
    kResultNone = 0,
    kResultOk = 1,
    kResultCancel = 2,
    kResultYes = 6,
    kResultNo = 7,
    kResultNoToAll = 13,
    kResultYesToAll = 14,
};

class MessageDialogs {
public:
    virtual ~MessageDialogs() = default;
    // Shows text with the application title as caption; returns the button chosen.
    virtual std::uint16_t Show(const std::string& text, MessageIcon icon, MessageButtons buttons) = 0;
};

// The dialogs in use; never null. Without an installed one, messages go to stderr and every
// question is answered "no", so nothing is ever replaced unasked.
MessageDialogs& CurrentMessageDialogs();

// Installs dialogs (nullptr restores the console default). The caller keeps them alive.
void SetMessageDialogs(MessageDialogs* dialogs);

} // namespace glyphora
