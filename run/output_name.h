// Where the result of a file goes.
#pragma once

#include <string>
#include <string_view>

namespace lorvan {

// The input path with suffix inserted before the last "." of the file name, or appended when
// the name has no "." (a dot in a folder name never counts): pjesma.txt gives pjesma_hr.txt.
std::string SuffixedName(std::string_view input_path, std::string_view suffix);

}  // namespace lorvan
