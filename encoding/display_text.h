// The core's Windows-1250 texts in UTF-8, for showing them to the user.
#pragma once

#include <string>
#include <string_view>

namespace lorvan {

// Converts every Windows-1250 byte of text to its UTF-8 form (bytes without a character in
// Windows-1250 become U+FFFD).
std::string Cp1250ToUtf8(std::string_view text);

}  // namespace lorvan
