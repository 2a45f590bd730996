// How many processors the program may run on, for the default number of threads.
#pragma once

namespace lorvan {

// The processors this process may run on (its affinity, which taskset and container CPU sets
// narrow), or every processor the system has when that cannot be told; at least 1.
int ProcessorCount();

}  // namespace lorvan
