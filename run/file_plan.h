// A file cut into blocks that end at line ends, and what the whole file decides before its first
// block is translated: its encoding, its byte-order mark, the length the progress display counts
// to and the Cyrillic warning. Each block can then be read, translated and written on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "common/status.h"
#include "common/text_file.h"
#include "encoding/utf8_text.h"
#include "run/run_settings.h"

namespace lorvan {

// The bytes [begin, end) of a file. Every block but the last ends just after a line end that no
// LF follows: LF, CR LF or CR. (In the byte model a lone LF ends no line of the file, but it
// ends one of the working copy, where it becomes CR: see BlockWorkingCopy.)
struct FileBlock {
  std::int64_t begin = 0;
  std::int64_t end = 0;
  std::string_view previous_end;  // the line end just before begin; empty at the file's start
  bool last = false;
};

struct FilePlan {
  // The file's blocks in order; an empty file has one empty block.
  std::vector<FileBlock> blocks;
  TextEncoding encoding = TextEncoding::kWindows1250;  // outside the byte model
  bool bom = false;        // the first block begins with a byte-order mark that is no character
  std::int64_t total = 0;  // the length of the text the translation goes through
  // The file is UTF-8 text mostly in Serbian Cyrillic letters that is translated without the
  // Cyrillic option: it comes out almost untranslated.
  bool cyrillic_without_option = false;
};

// Reads file in blocks of about block_bytes (a line longer than that is one block of its own)
// and plans its translation, or with settings.convert_only its conversion, as settings say. The
// decisions are those the whole file's text gives: the encoding DecodeFile chooses, and the
// progress total and warning of the text DecodeFile or MakeWorkingCopy makes of it. With
// threads above 1 a larger file's blocks are measured on that many threads meanwhile.
// REQUIRES: block_bytes >= 1.
Status PlanFile(const InputFile& file, const RunSettings& settings, std::size_t block_bytes,
                FilePlan* plan, int threads = 1);

// The working copy of bytes, a block of a file in the byte model, as MakeWorkingCopy makes that
// of the whole: a block that ends in a lone LF but not the file leaves its last line open (the
// LF becomes CR, and the line goes on in the next block), and only the last block ends as the
// file does.
std::string BlockWorkingCopy(std::string_view bytes, bool last, bool split_paragraphs);

// True when bytes end in a lone LF: in the byte model a block that ends there, but not its
// file, stops inside a line.
bool EndsInsideLine(std::string_view bytes);

// Reads the bytes of block from file into *bytes; kLeft when the file is shorter than the block
// (it changed since it was planned: the run leaves it and goes on).
Status ReadBlock(const InputFile& file, const FileBlock& block, std::string* bytes);

}  // namespace lorvan
