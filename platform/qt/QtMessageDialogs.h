// Message boxes and questions shown as Qt message boxes owned by a window, with the
// application title as caption.
#pragma once

#include "platform/MessageDialogs.h"

class QWidget;

namespace glyphora {

// Shows a modal message box over owner (may be null) and returns the modal result.
DialogAnswer ShowQtMessageBox(QWidget* owner, const std::string& text, MessageIcon icon, MessageButtons buttons);

} // namespace glyphora
