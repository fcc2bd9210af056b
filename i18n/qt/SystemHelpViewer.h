// The help viewer of the system the program runs on: the HTML Help control on Windows, the
// program's own help window elsewhere.
#pragma once

#include "platform/HelpViewer.h"
#include "platform/MessageDialogs.h"

#include <memory>

namespace glyphora {

// dialogs: where the viewer reports a help file it cannot show; must outlive the viewer.
std::unique_ptr<HelpViewer> MakeSystemHelpViewer(MessageDialogs& dialogs);

} // namespace glyphora
