// Eight bytes of memory read as one number, whatever their alignment: on the little-endian
// machines this code is built for, byte k of p lands at bits 8k.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace lorvan {

static_assert(std::endian::native == std::endian::little);

inline std::uint64_t Load8(const void* p) {
  std::uint64_t value;
  std::memcpy(&value, p, 8);
  return value;
}

}  // namespace lorvan
