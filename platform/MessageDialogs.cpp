// The console default of the message dialogs.
#include "platform/MessageDialogs.h"

#include <iostream>

namespace glyphora {

namespace {

class ConsoleDialogs final : public MessageDialogs {
public:
    DialogAnswer Show(const std::string& text, MessageIcon, MessageButtons buttons) override
    {
        std::cerr << text << '\n';
        return buttons == MessageButtons::Ok ? DialogAnswer::Ok : DialogAnswer::No;
    }
};

} // namespace

MessageDialogs& ConsoleMessageDialogs()
{
    static ConsoleDialogs console;
    return console;
}

} // namespace glyphora
