// Console facts on Windows.
#include "platform/Console.h"

#include <cstdio>
#include <io.h>

namespace glyphora {

bool StandardErrorIsTerminal()
{
    return _isatty(_fileno(stderr)) != 0;
}

} // namespace glyphora
