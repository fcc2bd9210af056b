// Console facts on POSIX systems.
#include "platform/Console.h"

#include <unistd.h>

namespace glyphora {

bool StandardErrorIsTerminal()
{
    return isatty(STDERR_FILENO) != 0;
}

} // namespace glyphora
