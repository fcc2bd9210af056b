// Process figures on POSIX systems.
#include "platform/ProcessStats.h"

#include <sys/resource.h>

namespace glyphora {

long PeakResidentSetKiB()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return usage.ru_maxrss; // Linux reports KiB
}

} // namespace glyphora
