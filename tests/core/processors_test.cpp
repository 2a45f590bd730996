#include "common/processors.h"

#include <gtest/gtest.h>
#include <sched.h>

namespace lorvan {
namespace {

// A process narrowed to one processor (taskset, a container's CPU set) gets one thread by
// default, not one per processor of the machine.
TEST(ProcessorCount, FollowsTheProcessorsTheProcessMayRunOn) {
  cpu_set_t all;
  ASSERT_EQ(sched_getaffinity(0, sizeof all, &all), 0);
  int first = 0;
  while (!CPU_ISSET(first, &all)) ++first;
  cpu_set_t one;
  CPU_ZERO(&one);
  CPU_SET(first, &one);
  ASSERT_EQ(sched_setaffinity(0, sizeof one, &one), 0);
  EXPECT_EQ(ProcessorCount(), 1);
  ASSERT_EQ(sched_setaffinity(0, sizeof all, &all), 0);
  EXPECT_EQ(ProcessorCount(), CPU_COUNT(&all));
}

}  // namespace
}  // namespace lorvan
