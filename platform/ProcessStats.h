// Resource figures of the running process, for benchmarks and diagnostics.
#pragma once

namespace glyphora {

// The largest resident set the process has had so far, in KiB (0 when unknown).
long PeakResidentSetKiB();

} // namespace glyphora
