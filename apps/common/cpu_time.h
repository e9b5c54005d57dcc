// The time the processor has spent on this process so far, for the programs'
// own reports of how fast they ran.
#pragma once

namespace apps {

// User and system time of the whole process, in seconds; 0 where it cannot be read.
double ProcessCpuSeconds();

}  // namespace apps
