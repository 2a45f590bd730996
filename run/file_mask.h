// File masks as the file list applies them: "*" and "?" wildcards, ASCII letters compared
// without regard to case, several masks separated by ";".
#pragma once

#include <string_view>

namespace lorvan {

// True when name matches mask. "*" stands for any run of characters, "?" for exactly one;
// a mask ending in ".*" also matches names without any "." ("*.*" matches every file).
bool MatchesMask(std::string_view name, std::string_view mask);

}  // namespace lorvan
