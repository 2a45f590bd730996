#include "run/file_text.h"

#include "common/text_file.h"

namespace lorvan {

void DecodeFile(std::string_view bytes, EncodingChoice choice, bool cyrillic, DecodedFile* file) {
  DecodeText(bytes,
             choice == EncodingChoice::kUtf8          ? TextEncoding::kUtf8
             : choice == EncodingChoice::kWindows1250 ? TextEncoding::kWindows1250
                                                      : DetectEncoding(bytes),
             cyrillic, /*at_start=*/true, file);
}

void DecodeText(std::string_view bytes, TextEncoding encoding, bool cyrillic, bool at_start,
                DecodedFile* file) {
  file->encoding = encoding;
  file->text.clear();
  file->kept.Clear();
  file->bom = false;
  if (file->encoding == TextEncoding::kWindows1250) {
    file->text.assign(bytes.data(), bytes.size());
    return;
  }
  file->bom = at_start && HasUtf8Bom(bytes);
  const std::string_view utf8 = file->bom ? StripUtf8Bom(bytes) : bytes;
  file->text.reserve(utf8.size());
  DecodeUtf8(utf8, cyrillic, &file->text, &file->kept);
}

void EncodeFile(const DecodedFile& file, std::string_view result, std::string* bytes) {
  bytes->clear();
  if (file.encoding == TextEncoding::kWindows1250) {
    bytes->assign(result.data(), result.size());
    return;
  }
  bytes->reserve(result.size() + result.size() / 8 + kUtf8Bom.size());
  if (file.bom) bytes->append(kUtf8Bom);
  KeptCharacters::Cursor cursor = file.kept.Begin();
  EncodeUtf8(result, &cursor, bytes);
}

std::string_view OutputLineEnd(std::string_view own_end, LineEndChoice choice) {
  if (own_end.empty()) return own_end;
  switch (choice) {
    case LineEndChoice::kKeep:
      return own_end;
    case LineEndChoice::kCrLf:
      return "\r\n";
    case LineEndChoice::kLf:
      return "\n";
  }
  return own_end;
}

std::string RewriteLineEnds(std::string_view text, LineEndChoice choice) {
  if (choice == LineEndChoice::kKeep) return std::string(text);
  std::string out;
  out.reserve(text.size() + text.size() / 16);
  LineEndReader reader(text);
  std::string_view line, end;
  while (reader.Next(&line, &end)) out.append(line).append(OutputLineEnd(end, choice));
  return out;
}

}  // namespace lorvan
