#include "run/output_name.h"

namespace lorvan {

std::string SuffixedName(std::string_view input_path, std::string_view suffix) {
  std::size_t slash = input_path.rfind('/');
  std::size_t name_start = slash == std::string_view::npos ? 0 : slash + 1;
  std::size_t dot = input_path.rfind('.');
  std::string out;
  if (dot == std::string_view::npos || dot <= name_start) {  // ".bashrc" has no extension
    out.append(input_path).append(suffix);
  } else {
    out.append(input_path.substr(0, dot)).append(suffix).append(input_path.substr(dot));
  }
  return out;
}

}  // namespace lorvan
