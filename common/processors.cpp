#include "common/processors.h"

#include <sched.h>

#include <algorithm>
#include <thread>

namespace lorvan {

int ProcessorCount() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace lorvan
