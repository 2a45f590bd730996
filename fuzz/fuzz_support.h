// Helpers shared by the fuzz targets: cutting an input into sections, and stopping the run
// with a readable report when two results that must agree differ.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "common/text_file.h"

namespace lorvan::fuzz {

// The input bytes as a string view.
inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// Cuts data at NUL bytes into exactly count sections: the last one takes the rest (NULs
// included), missing ones are empty.
inline std::vector<std::string_view> SplitSections(std::string_view data, std::size_t count) {
  std::vector<std::string_view> sections;
  while (sections.size() + 1 < count) {
    std::size_t nul = data.find('\0');
    if (nul == std::string_view::npos) break;
    sections.push_back(data.substr(0, nul));
    data.remove_prefix(nul + 1);
  }
  sections.push_back(data);
  sections.resize(count);
  return sections;
}

// Calls step with every line of bytes, cut as the translator cuts files into lines.
template <typename Step>
void ForEachLine(std::string_view bytes, Step step) {
  LineReader reader(bytes);
  std::string_view line;
  while (reader.Next(&line)) step(line);
}

// text as hex bytes separated by spaces ("C4 8C 61 ").
inline std::string Hex(std::string_view text) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) out += {kDigits[c >> 4], kDigits[c & 15], ' '};
  return out;
}

// Aborts, which libFuzzer records as a crash, with a report when fast and literal differ.
inline void ExpectSame(const char* what, std::string_view fast, std::string_view literal) {
  if (fast == literal) return;
  std::fprintf(stderr, "%s differ\n  fast:    %s\n  literal: %s\n", what, Hex(fast).c_str(),
               Hex(literal).c_str());
  std::abort();
}

// Aborts with a report when condition does not hold.
inline void Expect(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "check failed: %s\n", what);
  std::abort();
}

}  // namespace lorvan::fuzz

// The libFuzzer entry point of a target whose first input byte holds options: calls
// run(option byte, the other bytes); an empty input is passed over.
#define LORVAN_FUZZ_WITH_OPTION_BYTE(run)                                             \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) { \
    if (size != 0) run(data[0], lorvan::fuzz::Bytes(data + 1, size - 1));             \
    return 0;                                                                         \
  }
