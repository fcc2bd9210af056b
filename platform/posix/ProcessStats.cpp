// Process figures on POSIX systems.
#include "platform/ProcessStats.h"

#include <sys/resource.h>
#include <time.h>

namespace glyphora {

long PeakResidentSetKiB()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0) return 0;
    return usage.ru_maxrss; // Linux reports KiB
}

double ThreadCpuSeconds()
{
    timespec now{};
    if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now) != 0) return 0;
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

} // namespace glyphora
