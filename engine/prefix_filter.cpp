#include "engine/prefix_filter.h"

#include <algorithm>
#include <bit>

#include "encoding/letters.h"

namespace lorvan {

PrefixFilter::PrefixFilter(std::size_t prefix_bytes, bool fold)
    : prefix_bytes_(std::clamp<std::size_t>(prefix_bytes, 1, 8)), fold_(fold) {}

std::uint64_t PrefixFilter::Pack(const char* p, std::size_t count) const {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < count; ++i) {
    auto byte = static_cast<unsigned char>(p[i]);
    key |= std::uint64_t{fold_ ? ToLowerByte(byte) : byte} << (8 * i);
  }
  return key;
}

void PrefixFilter::Add(std::string_view pattern) {
  const std::size_t length = std::min(pattern.size(), prefix_bytes_);
  lengths_ |= std::uint32_t{1} << (length - 1);
  hashes_.push_back(HashOf(Pack(pattern.data(), length), length));
}

void PrefixFilter::Build() {
  std::sort(hashes_.begin(), hashes_.end());
  hashes_.erase(std::unique(hashes_.begin(), hashes_.end()), hashes_.end());
  filter_.Reset(hashes_.size());
  for (std::uint64_t hash : hashes_) filter_.Add(hash);
  hashes_.clear();
  hashes_.shrink_to_fit();
}

// A key of fewer bytes than the prefix is the low bytes of the longer key read here.
bool PrefixFilter::MayBeginAt(const char* p, const char* end) const {
  const std::size_t available = std::min(static_cast<std::size_t>(end - p), prefix_bytes_);
  const std::uint64_t key = Pack(p, available);
  for (std::uint32_t lengths = lengths_; lengths != 0; lengths &= lengths - 1) {
    const std::size_t length = static_cast<std::size_t>(std::countr_zero(lengths)) + 1;
    if (length > available) return false;
    const std::uint64_t low = length == 8 ? key : key & ((std::uint64_t{1} << (8 * length)) - 1);
    if (filter_.MayContain(HashOf(low, length))) return true;
  }
  return false;
}

}  // namespace lorvan
