#include "run/file_plan.h"

#include <algorithm>
#include <string>

#include "encoding/paragraphs.h"

namespace lorvan {
namespace {

// Just after the last line end in buffer at or after from that is known to be whole (a CR at
// the very end of buffer may still be followed by an LF); 0 when there is none.
std::size_t LastLineEnd(std::string_view buffer, std::size_t from) {
  for (std::size_t i = buffer.size(); i-- > from;) {
    if (buffer[i] == '\n') return i + 1;
    if (buffer[i] == '\r' && i + 1 < buffer.size()) return i + 1;
  }
  return 0;
}

// The line end that ends just before cut in buffer.
std::string_view LineEndBefore(std::string_view buffer, std::size_t cut) {
  if (buffer[cut - 1] == '\r') return "\r";
  return cut >= 2 && buffer[cut - 2] == '\r' ? "\r\n" : "\n";
}

// The length of what DecodeUtf8 makes of well-formed utf8 with Serbian Cyrillic transliterated:
// a byte for every character, two for Љ Њ Џ љ њ џ, without decoding it.
std::int64_t TransliteratedLength(std::string_view utf8) {
  // Two branch-free passes the compiler turns into vector code.
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  std::int64_t length = 0;
  for (std::size_t i = 0; i < size; ++i) length += (p[i] & 0xC0) != 0x80;  // a character starts
  // Љ Њ Џ are D0 89, D0 8A, D0 8F; љ њ џ are D1 99, D1 9A, D1 9F.
  for (std::size_t i = 0; i + 1 < size; ++i) {
    const auto offset = static_cast<unsigned char>(p[i + 1] - 0x89 - ((p[i] & 1) << 4));
    length += ((p[i] & 0xFE) == 0xD0) & (offset == 0 || offset == 1 || offset == 6);
  }
  return length;
}

// Sums over the blocks of a file what its plan needs of the whole.
class Survey {
 public:
  explicit Survey(const RunSettings& settings)
      : settings_(settings),
        decoded_(!settings.byte_exact),
        translating_(!settings.convert_only),
        may_be_utf8_(decoded_ && settings.encoding != EncodingChoice::kWindows1250) {}

  void Add(std::string_view bytes, bool first, bool last) {
    size_ += static_cast<std::int64_t>(bytes.size());
    if (first && may_be_utf8_) bom_ = HasUtf8Bom(bytes);
    const bool classified = settings_.encoding == EncodingChoice::kAuto && !bom_;
    // Without the Cyrillic option, measuring the decoded text below checks the block too.
    const bool measured = translating_ && decoded_ && !settings_.cyrillic;
    if (classified && valid_ && !measured) Classify(bytes);
    if (!translating_) return;
    if (!decoded_) {
      exact_total_ += static_cast<std::int64_t>(
          IsWorkingCopy(bytes, settings_.paragraphs)
              ? bytes.size()
              : BlockWorkingCopy(bytes, last, settings_.paragraphs).size());
    } else if (may_be_utf8_ && valid_) {
      // The length of the text DecodeUtf8 makes: wanted only when the file turns out UTF-8.
      const std::string_view utf8 = first ? StripUtf8Bom(bytes) : bytes;
      // With the Cyrillic option no warning needs the kept characters: counted, not decoded.
      if (settings_.cyrillic && (classified || CheckUtf8(utf8).well_formed)) {
        utf8_total_ += TransliteratedLength(utf8);
        return;
      }
      if (!settings_.cyrillic) {
        // A file found not to be UTF-8 is Windows-1250, whose total is its size: the measure
        // of a classified block may stop where the block proves it.
        const DecodedSize decoded = MeasureDecoded(utf8, /*stop_when_ill_formed=*/classified);
        if (classified) {  // utf8 is all of bytes: there is no byte-order mark to strip
          valid_ = decoded.well_formed;
          beyond_ascii_ = beyond_ascii_ || decoded.beyond_ascii;
        }
        utf8_total_ += static_cast<std::int64_t>(decoded.length);
        any_kept_ = any_kept_ || decoded.any_kept;
        return;
      }
      DecodeUtf8(utf8, settings_.cyrillic, &scratch_, &kept_);
      utf8_total_ += static_cast<std::int64_t>(scratch_.size());
      any_kept_ = any_kept_ || !kept_.empty();
      scratch_.clear();
      kept_.Clear();
    }
  }

  // The plan's encoding, byte-order mark and progress total; true when the warning needs the
  // letters counted.
  bool Finish(FilePlan* plan) const {
    plan->bom = bom_;
    plan->encoding = !may_be_utf8_                                 ? TextEncoding::kWindows1250
                     : settings_.encoding == EncodingChoice::kUtf8 ? TextEncoding::kUtf8
                     : bom_ || (valid_ && beyond_ascii_)           ? TextEncoding::kUtf8
                                                                   : TextEncoding::kWindows1250;
    if (!decoded_) {
      plan->total = exact_total_;
    } else {
      plan->total = plan->encoding == TextEncoding::kUtf8 ? utf8_total_ : size_;
    }
    return translating_ && decoded_ && !settings_.cyrillic &&
           plan->encoding == TextEncoding::kUtf8 && any_kept_;
  }

 private:
  // DetectEncoding's rule over the whole file, a block at a time: no block with a byte outside
  // well-formed UTF-8, and some block with a character beyond ASCII. Only the file's own start
  // counts as a byte-order mark; in a later block it is one more character.
  void Classify(std::string_view bytes) {
    const Utf8Check check = CheckUtf8(bytes);
    valid_ = valid_ && check.well_formed;
    beyond_ascii_ = beyond_ascii_ || check.beyond_ascii;
  }

  const RunSettings& settings_;
  const bool decoded_;      // outside the byte model
  const bool translating_;  // not only converted
  const bool may_be_utf8_;
  bool bom_ = false;
  bool valid_ = true;  // no byte outside well-formed UTF-8 so far
  bool beyond_ascii_ = false;
  bool any_kept_ = false;
  std::int64_t size_ = 0;
  std::int64_t utf8_total_ = 0;
  std::int64_t exact_total_ = 0;
  std::string scratch_;
  KeptCharacters kept_;
};

}  // namespace

bool EndsInsideLine(std::string_view bytes) {
  return bytes.ends_with('\n') && !bytes.ends_with("\r\n");
}

std::string BlockWorkingCopy(std::string_view bytes, bool last, bool split_paragraphs) {
  return MakeWorkingCopy(bytes, split_paragraphs, /*open_end=*/!last && EndsInsideLine(bytes));
}

Status ReadBlock(const InputFile& file, const FileBlock& block, std::string* bytes) {
  const auto size = static_cast<std::size_t>(block.end - block.begin);
  Status status = file.ReadAt(block.begin, size, bytes);
  if (status.ok() && bytes->size() != size)
    return Status::Left(file.path() + ": changed while it was read");
  return status;
}

Status PlanFile(const InputFile& file, const RunSettings& settings, std::size_t block_bytes,
                FilePlan* plan) {
  *plan = FilePlan();
  Survey survey(settings);
  std::string buffer;
  std::int64_t offset = 0;  // of buffer's first byte in the file
  std::string_view previous_end;
  bool at_end = false;
  std::size_t scanned = 0;  // bytes of buffer already looked through for a line end
  while (!at_end) {
    // A file's last piece is read with one byte more than it has, which finds its end at once
    // and keeps a small file from a block's worth of buffer.
    const std::int64_t at = offset + static_cast<std::int64_t>(buffer.size());
    const std::int64_t left = file.size() - at;
    const std::size_t wanted = left >= 0 && left <= static_cast<std::int64_t>(block_bytes)
                                   ? static_cast<std::size_t>(left) + 1
                                   : block_bytes;
    const std::size_t had = buffer.size();
    Status status = file.AppendAt(at, wanted, &buffer);
    if (!status.ok()) return status;
    at_end = buffer.size() - had < wanted;
    std::size_t cut = at_end ? buffer.size() : LastLineEnd(buffer, scanned > 0 ? scanned - 1 : 0);
    scanned = buffer.size();
    if (cut == 0 && !at_end) {
      // A line longer than a block may be as long as the rest of the file, which then has to
      // fit in memory: asked for at once, so that a file far too large fails at once.
      buffer.reserve(static_cast<std::size_t>(std::max(file.size() - offset, std::int64_t{0})));
      continue;
    }
    if (cut == 0 && !plan->blocks.empty()) break;  // the file ended at the last cut
    const std::string_view bytes = std::string_view(buffer).substr(0, cut);
    survey.Add(bytes, offset == 0, at_end && cut == buffer.size());
    plan->blocks.push_back({offset, offset + static_cast<std::int64_t>(cut), previous_end});
    if (cut > 0) previous_end = LineEndBefore(buffer, cut);
    offset += static_cast<std::int64_t>(cut);
    buffer.erase(0, cut);
    scanned = 0;
  }
  plan->blocks.back().last = true;
  if (survey.Finish(plan)) {
    // Translated without the Cyrillic option, this UTF-8 file keeps some characters as they
    // are: the warning says so when most of its letters are Serbian Cyrillic.
    LetterCount count;
    std::string bytes;
    for (const FileBlock& block : plan->blocks) {
      Status status = ReadBlock(file, block, &bytes);
      if (!status.ok()) return status;
      const LetterCount part = CountSerbianLetters(bytes);
      count.letters += part.letters;
      count.serbian += part.serbian;
    }
    plan->cyrillic_without_option = 2 * count.serbian > count.letters;
  }
  return Status::Ok();
}

}  // namespace lorvan
