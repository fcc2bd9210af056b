// Facts about the console the program runs in.
#pragma once

namespace glyphora {

// True when standard error is an interactive terminal (progress lines are worth drawing).
bool StandardErrorIsTerminal();

} // namespace glyphora
