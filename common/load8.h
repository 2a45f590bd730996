// Bytes of memory read as one number, whatever their alignment: on the little-endian machines
// this code is built for, byte k of p lands at bits 8k.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace lorvan {

static_assert(std::endian::native == std::endian::little);

inline std::uint64_t Load8(const void* p) {
  std::uint64_t value;
  std::memcpy(&value, p, 8);
  return value;
}

// The low n bytes of a packed number set, 1 <= n <= 8.
constexpr std::uint64_t LowBytes(std::size_t n) { return ~std::uint64_t{0} >> (64 - 8 * n); }

// The n bytes at p, 0 <= n <= 8, packed into one number; the missing bytes are zero. Reads
// no byte outside them.
inline std::uint64_t LoadUpTo8(const char* p, std::size_t n) {
  if (n >= 8) return Load8(p);
  if (n >= 4) {  // two loads that overlap in the middle
    std::uint32_t low, high;
    std::memcpy(&low, p, 4);
    std::memcpy(&high, p + n - 4, 4);
    return low | (std::uint64_t{high} << (8 * (n - 4)));
  }
  if (n == 0) return 0;
  auto byte = [p](std::size_t k) {
    return std::uint64_t{static_cast<unsigned char>(p[k])} << (8 * k);
  };
  return byte(0) | byte(n / 2) | byte(n - 1);
}

}  // namespace lorvan
