// A map from strings to small values for tables that are filled once and then only read: the
// keys' bytes stand one after the other in one arena and the entries in one open-addressing
// array, so that filing a key allocates nothing of its own and a lookup reads one entry.
#pragma once

#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lorvan {

template <typename Value>
class FlatStringMap {
 public:
  // The value filed under key; a value-initialised one is filed first when there is none, and
  // *added then says so. The reference stays valid until the next key is added.
  Value& FindOrAdd(std::string_view key, bool* added = nullptr) {
    if (2 * (size_ + 1) > entries_.size()) Grow();
    const std::uint64_t hash = HashOf(key);
    Entry& entry = entries_[Probe(key, hash)];
    if (added != nullptr) *added = entry.length == kFree;
    if (entry.length == kFree) {
      entry.offset = static_cast<std::uint32_t>(keys_.size());
      entry.length = static_cast<std::uint32_t>(key.size());
      entry.hash = static_cast<std::uint32_t>(hash);
      entry.value = Value();
      keys_.append(key);
      ++size_;
    }
    return entry.value;
  }

  // The value filed under key, or nullptr.
  const Value* Find(std::string_view key) const {
    if (size_ == 0) return nullptr;
    const Entry& entry = entries_[Probe(key, HashOf(key))];
    return entry.length == kFree ? nullptr : &entry.value;
  }

  bool empty() const { return size_ == 0; }
  std::size_t size() const { return size_; }

 private:
  static constexpr std::uint32_t kFree = UINT32_MAX;  // the length of a free entry
  static constexpr std::size_t kFirstEntries = 64;

  struct Entry {
    std::uint32_t offset = 0;  // of the key in keys_
    std::uint32_t length = kFree;
    std::uint32_t hash = 0;  // the low bits of the key's hash, compared before the key
    Value value{};
  };

  static std::uint64_t HashOf(std::string_view key) { return std::hash<std::string_view>{}(key); }
  // The entry where the probe for hash starts.
  std::size_t HomeOf(std::uint64_t hash) const {
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ull) >> shift_);
  }

  // The entry holding key, or the free entry where its probe ended. REQUIRES: a free entry.
  std::size_t Probe(std::string_view key, std::uint64_t hash) const {
    const std::size_t mask = entries_.size() - 1;
    for (std::size_t i = HomeOf(hash);; i = (i + 1) & mask) {
      const Entry& entry = entries_[i];
      if (entry.length == kFree) return i;
      if (entry.hash == static_cast<std::uint32_t>(hash) && entry.length == key.size() &&
          std::string_view(keys_.data() + entry.offset, entry.length) == key)
        return i;
    }
  }

  // Doubles the entries and files every key again.
  void Grow() {
    std::vector<Entry> old(entries_.empty() ? kFirstEntries : 2 * entries_.size());
    old.swap(entries_);
    shift_ = 64 - std::countr_zero(entries_.size());
    const std::size_t mask = entries_.size() - 1;
    for (const Entry& entry : old) {
      if (entry.length == kFree) continue;
      const std::string_view key(keys_.data() + entry.offset, entry.length);
      std::size_t i = HomeOf(HashOf(key));
      while (entries_[i].length != kFree) i = (i + 1) & mask;
      entries_[i] = entry;
    }
  }

  std::vector<Entry> entries_;  // a power of two of them, at most half in use
  int shift_ = 64;              // 64 less the bits of an entry index
  std::size_t size_ = 0;
  std::string keys_;
};

}  // namespace lorvan
