// The main window's keyboard commands: every key goes past the window first, and these
// keys start a command (the key still reaches the focused control afterwards).
#pragma once

#include <Qt>

namespace glyphora {

enum class WindowCommand { None, StopScan, Copy, Open, Print, Refresh, SaveSelected, Help };

// Escape and F1 with any modifiers; C, O, P, R and S with exactly Ctrl (Ctrl held, Shift
// and Alt not held).
WindowCommand CommandForKey(int key, Qt::KeyboardModifiers modifiers);

} // namespace glyphora
