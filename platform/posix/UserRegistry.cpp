// POSIX systems have no registry: the settings keep its counterpart in a file of their own.
#include "platform/UserRegistry.h"

namespace glyphora {

std::unique_ptr<UserRegistry> OpenSystemUserRegistry()
{
    return nullptr;
}

} // namespace glyphora
