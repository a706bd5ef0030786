#pragma once

// What the kernel tells about a running process of this machine (Linux
// /proc): open descriptors, resident memory and CPU time. Each returns -1
// when the process or the figure is not there.

#include <cstdint>
#include <sys/types.h>

namespace processprobe {

// Entries of /proc/<pid>/fd.
int openDescriptors(pid_t pid);
// VmRSS and VmHWM (the peak so far) of /proc/<pid>/status, in KiB.
std::int64_t residentKiB(pid_t pid);
std::int64_t peakResidentKiB(pid_t pid);
// Time spent running on a CPU, from /proc/<pid>/schedstat, in nanoseconds.
std::int64_t cpuNanoseconds(pid_t pid);

} // namespace processprobe
