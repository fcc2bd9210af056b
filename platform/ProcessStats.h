// Resource figures of the running process, for benchmarks and diagnostics.
#pragma once

namespace glyphora {

// The largest resident set the process has had so far, in KiB (0 when unknown).
long PeakResidentSetKiB();

// The processor time the calling thread has used so far, in seconds (0 when unknown). Unlike
// the wall clock it leaves out the time other programs had the processor.
double ThreadCpuSeconds();

} // namespace glyphora
