// Links in running text: web addresses, e-mail addresses and file paths, which the line scan
// copies unchanged as it copies tags.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace lorvan {

// The bytes [begin, end) of a line.
struct LinkSpan {
  std::size_t begin;
  std::size_t end;
};

// Stores in *spans, in order, the links of text (Windows-1250). A link candidate is a run of
// bytes between spaces, quotes and angle brackets, less opening brackets before it and
// sentence punctuation or an unmatched closing bracket after it. It is a link when it is
//   - a web address: "http://", "https://", "ftp://" or "www." and more;
//   - an e-mail address: name@host.domain;
//   - a file path: "/dir/name", "~/", "./", "../", "C:\", "\\server";
//   - a host name: ASCII labels joined by dots, the last one a known top-level domain in small
//     letters ("primer.rs"), with a port or a "/" and a path or neither.
// So a link never starts after a word letter and never holds "<" or ">". Every link holds
// '.', '/' or '\'; these are sought with memchr, and only the runs around them looked at, so
// that text without them costs next to nothing.
void FindLinks(std::string_view text, std::vector<LinkSpan>* spans);

}  // namespace lorvan
