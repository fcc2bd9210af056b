// The main window's keyboard commands.
#include "app/gui/KeyCommands.h"

namespace glyphora {

WindowCommand CommandForKey(int key, Qt::KeyboardModifiers modifiers)
{
    if (key == Qt::Key_Escape)
        return WindowCommand::StopScan;
    if (key == Qt::Key_F1)
        return WindowCommand::Help;
    const bool exactlyCtrl = (modifiers & Qt::ControlModifier) && !(modifiers & Qt::ShiftModifier) &&
                             !(modifiers & Qt::AltModifier);
    if (!exactlyCtrl)
        return WindowCommand::None;
    switch (key) {
    case Qt::Key_C: return WindowCommand::Copy;
    case Qt::Key_O: return WindowCommand::Open;
    case Qt::Key_P: return WindowCommand::Print;
    case Qt::Key_R: return WindowCommand::Refresh;
    case Qt::Key_S: return WindowCommand::SaveSelected;
    default: return WindowCommand::None;
    }
}

} // namespace glyphora
