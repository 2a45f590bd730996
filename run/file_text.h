// A file's text in its own encoding and line ends, as the run reads and writes it: decoded
// into Windows-1250 for the translator, and the result encoded the way the file came.
#pragma once

#include <string>
#include <string_view>

#include "encoding/utf8_text.h"
#include "run/run_settings.h"

namespace lorvan {

// A file's text as the translator reads it, and what it takes to write a result back.
struct DecodedFile {
  TextEncoding encoding = TextEncoding::kWindows1250;
  bool bom = false;       // the file began with a UTF-8 byte-order mark
  std::string text;       // Windows-1250 bytes, line ends as in the file
  KeptCharacters kept;    // what the text's kKeptMark bytes stand for, in order
};

// Decodes bytes by choice: a UTF-8 file is decoded (with cyrillic, Serbian Cyrillic is
// transliterated to Latin letters), a Windows-1250 file is taken as it is.
void DecodeFile(std::string_view bytes, EncodingChoice choice, bool cyrillic, DecodedFile* file);

// Decodes bytes, a piece of a file in encoding cut after a line end, as DecodeFile decodes the
// whole: the byte-order mark is one only at the file's start (at_start).
void DecodeText(std::string_view bytes, TextEncoding encoding, bool cyrillic, bool at_start,
                DecodedFile* file);

// Writes result (Windows-1250 text of file's lines) to *bytes in file's encoding: UTF-8 with the
// kept characters back in place of their marks, and the byte-order mark when the file had one.
void EncodeFile(const DecodedFile& file, std::string_view result, std::string* bytes);

// The end a line gets in the output: its own with kKeep, else the chosen one; a line that had
// no end (the last one) gets none.
std::string_view OutputLineEnd(std::string_view own_end, LineEndChoice choice);

// text with every line end rewritten by choice (kKeep returns it as it is).
std::string RewriteLineEnds(std::string_view text, LineEndChoice choice);

}  // namespace lorvan
