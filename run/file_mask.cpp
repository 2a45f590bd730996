#include "run/file_mask.h"

namespace lorvan {
namespace {

// Wildcard match of one mask, backtracking to the last "*" on a mismatch.
bool MatchesOne(std::string_view name, std::string_view mask) {
  std::size_t n = 0, m = 0;
  std::size_t star = std::string_view::npos, star_name = 0;
  while (n < name.size()) {
    if (m < mask.size() && (mask[m] == '?' || FoldAscii(mask[m]) == FoldAscii(name[n]))) {
      ++n;
      ++m;
    } else if (m < mask.size() && mask[m] == '*') {
      star = m++;
      star_name = n;
    } else if (star != std::string_view::npos) {
      m = star + 1;
      n = ++star_name;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

}  // namespace

bool MatchesMask(std::string_view name, std::string_view mask) {
  while (true) {
    std::size_t semicolon = mask.find(';');
    std::string_view one = mask.substr(0, semicolon);
    while (!one.empty() && one.front() == ' ') one.remove_prefix(1);
    while (!one.empty() && one.back() == ' ') one.remove_suffix(1);
    if (!one.empty()) {
      if (MatchesOne(name, one)) return true;
      if (one.size() >= 2 && one.substr(one.size() - 2) == ".*" &&
          name.find('.') == std::string_view::npos &&
          MatchesOne(name, one.substr(0, one.size() - 2)))
        return true;
    }
    if (semicolon == std::string_view::npos) return false;
    mask.remove_prefix(semicolon + 1);
  }
}

}  // namespace lorvan
