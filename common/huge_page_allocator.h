// An allocator for large tables read at random places: an array of 2 MiB or more is placed on
// 2 MiB boundaries and marked for huge pages, so that lookups spread over it miss the address
// translation cache far less often. Where the system has no such pages it is an ordinary array.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <new>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace lorvan {

template <typename T>
struct HugePageAllocator {
  using value_type = T;

  HugePageAllocator() = default;
  template <typename U>
  HugePageAllocator(const HugePageAllocator<U>&) {}

  T* allocate(std::size_t n) {
    constexpr std::size_t kHugePage = std::size_t{2} << 20;
    const std::size_t bytes = n * sizeof(T);
    const std::size_t alignment =
        std::max(bytes >= kHugePage ? kHugePage : alignof(std::max_align_t), alignof(T));
    // aligned_alloc wants a size that is a multiple of the alignment.
    const std::size_t rounded =
        std::max<std::size_t>((bytes + alignment - 1) / alignment, 1) * alignment;
    void* p = std::aligned_alloc(alignment, rounded);
    if (p == nullptr) throw std::bad_alloc();
#if defined(__linux__) && defined(MADV_HUGEPAGE)
    // A hint, whose failure is harmless, for the huge pages the array fills: a few bytes past
    // them do not take another huge page.
    if (alignment == kHugePage) madvise(p, bytes / kHugePage * kHugePage, MADV_HUGEPAGE);
#endif
    return static_cast<T*>(p);
  }
  void deallocate(T* p, std::size_t) { std::free(p); }

  friend bool operator==(const HugePageAllocator&, const HugePageAllocator&) { return true; }
};

}  // namespace lorvan
