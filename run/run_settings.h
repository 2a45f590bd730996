// The options of a run, as the window's option boxes and the command line set them.
#pragma once

#include <cstddef>
#include <string>

namespace lorvan {

// How a file's encoding is found.
enum class EncodingChoice {
  kAuto,         // UTF-8 when the file has a byte-order mark or is valid UTF-8 with a non-ASCII
                 // character; Windows-1250 otherwise
  kUtf8,         // every file is UTF-8
  kWindows1250,  // every file is Windows-1250
};

// How the output's lines end.
enum class LineEndChoice {
  kKeep,  // each line as its input line ended; a last line without an end gets none
  kCrLf,  // CR LF
  kLf,    // LF
};

struct RunSettings {
  bool cyrillic = false;      // translate Serbian Cyrillic in UTF-8, write UTF-8 back
  bool convert_only = false;  // transliterate Cyrillic to Latin without translating ("_sr")
  bool skip_tags = true;      // leave the text inside HTML tags untranslated
  bool subfolders = false;    // also translate what lies in all subfolders
  bool same_name = false;     // write the result over the input instead of a "_hr" file
  bool paragraphs = true;     // break lines after closing paragraph tags
  EncodingChoice encoding = EncodingChoice::kAuto;
  LineEndChoice line_ends = LineEndChoice::kKeep;
  // The original byte handling instead of the two above: Windows-1250 bytes throughout, the
  // UTF-8 forms of the Croatian letters converted in place, CR LF after every line.
  bool byte_exact = false;
  // With same_name, keep the original as NAME~ (backup_suffix) before replacing it.
  bool backup = false;
  std::string backup_suffix = "~";
  // Translate files that look binary (a NUL byte among their first 8 KiB) instead of skipping.
  bool binary = false;
  // When not empty, the outputs go under this folder, in the layout of the run's folders,
  // instead of beside their inputs (an input is then never replaced).
  std::string output_dir;
  // The subfolder walk follows links to folders (that lie within the folder it started in).
  bool follow_links = false;
  // Translate web addresses, e-mail addresses and file paths in the text like other words
  // (by default they are copied unchanged, as tags are).
  bool translate_links = false;
  // A file is read, translated and written in blocks of about this many bytes, cut at line
  // ends, so that a large file needs no more memory than a few blocks. A block's text and its
  // translation stay in the processor's cache while they are written.
  std::size_t block_bytes = 256 << 10;

  bool operator==(const RunSettings&) const = default;
};

}  // namespace lorvan
