// Conversions between the core's Windows-1250 bytes and UTF-8, for showing texts to the user
// and for taking file names from the system.
#pragma once

#include <string>
#include <string_view>

namespace lorvan {

// Converts every Windows-1250 byte of text to its UTF-8 form (bytes without a character in
// Windows-1250 become U+FFFD).
std::string Cp1250ToUtf8(std::string_view text);

}  // namespace lorvan
