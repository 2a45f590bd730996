#include "run/file_plan.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <string>
#include <vector>

#include "encoding/paragraphs.h"
#include "run/ordered_workers.h"

namespace lorvan {
namespace {

// A file of up to this many blocks is measured on the planning thread alone.
constexpr std::int64_t kBlocksMeasuredAlone = 4;
constexpr std::size_t kMeasuredAhead = 2;  // blocks waiting for a measure, per thread
// Where only a block's cut is wanted, the bytes looked through for its line end: at most this
// many, and half a block of fewer.
constexpr std::size_t kCutWindow = 4096;
constexpr std::size_t kShortestCutWindow = 2;

// The length of what DecodeUtf8 makes of well-formed utf8 with Serbian Cyrillic transliterated:
// a byte for every character, two for Љ Њ Џ љ њ џ, without decoding it.
std::int64_t TransliteratedLength(std::string_view utf8) {
  // One branch-free pass the compiler turns into vector code.
  const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
  const std::size_t size = utf8.size();
  if (size == 0) return 0;
  auto starts = [p](std::size_t i) { return (p[i] & 0xC0) != 0x80; };  // a character starts
  std::int64_t length = starts(size - 1);
  // Љ Њ Џ are D0 89, D0 8A, D0 8F; љ њ џ are D1 99, D1 9A, D1 9F.
  for (std::size_t i = 0; i + 1 < size; ++i) {
    const auto offset = static_cast<unsigned char>(p[i + 1] - 0x89 - ((p[i] & 1) << 4));
    length += starts(i) + (((p[i] & 0xFE) == 0xD0) & (offset == 0 || offset == 1 || offset == 6));
  }
  return length;
}

// What one block of a file adds to its plan.
struct BlockSurvey {
  std::int64_t size = 0;
  std::int64_t utf8_total = 0;   // the length of the text DecodeUtf8 makes of it
  std::int64_t exact_total = 0;  // the length of its working copy in the byte model
  bool valid = true;             // no byte outside well-formed UTF-8, as far as looked
  bool beyond_ascii = false;
  bool any_kept = false;
};

// Sums over the blocks of a file what its plan needs of the whole. Measure may run for several
// blocks at once on other threads; Start and Merge run on one.
class Survey {
 public:
  explicit Survey(const RunSettings& settings)
      : settings_(settings),
        decoded_(!settings.byte_exact),
        translating_(!settings.convert_only),
        may_be_utf8_(decoded_ && settings.encoding != EncodingChoice::kWindows1250) {}

  // Notes whether the file begins with a byte-order mark; before any block is measured.
  void Start(std::string_view first_bytes) {
    if (may_be_utf8_) bom_ = HasUtf8Bom(first_bytes);
  }

  // What the block bytes adds. Without utf8_possible (an earlier block proved the file is not
  // UTF-8) nothing is measured as UTF-8: the plan will not need it.
  BlockSurvey Measure(std::string_view bytes, bool first, bool last, bool utf8_possible) const {
    BlockSurvey block;
    block.size = static_cast<std::int64_t>(bytes.size());
    const bool classified = settings_.encoding == EncodingChoice::kAuto && !bom_;
    // Without the Cyrillic option, measuring the decoded text below checks the block too.
    const bool measured = translating_ && decoded_ && !settings_.cyrillic;
    if (classified && utf8_possible && !measured) {
      const Utf8Check check = CheckUtf8(bytes);
      block.valid = check.well_formed;
      block.beyond_ascii = check.beyond_ascii;
    }
    if (!translating_) return block;
    if (!decoded_) {
      block.exact_total = static_cast<std::int64_t>(
          IsWorkingCopy(bytes, settings_.paragraphs)
              ? bytes.size()
              : BlockWorkingCopy(bytes, last, settings_.paragraphs).size());
    } else if (may_be_utf8_ && utf8_possible && block.valid) {
      const std::string_view utf8 = first ? StripUtf8Bom(bytes) : bytes;
      // With the Cyrillic option no warning needs the kept characters: counted, not decoded.
      if (settings_.cyrillic && (classified || CheckUtf8(utf8).well_formed)) {
        block.utf8_total = TransliteratedLength(utf8);
        return block;
      }
      if (!settings_.cyrillic) {
        // A file found not to be UTF-8 is Windows-1250, whose total is its size: the measure
        // of a classified block may stop where the block proves it.
        const DecodedSize decoded = MeasureDecoded(utf8, /*stop_when_ill_formed=*/classified);
        if (classified) {  // utf8 is all of bytes: there is no byte-order mark to strip
          block.valid = decoded.well_formed;
          block.beyond_ascii = decoded.beyond_ascii;
        }
        block.utf8_total = static_cast<std::int64_t>(decoded.length);
        block.any_kept = decoded.any_kept;
        return block;
      }
      std::string decoded;
      KeptCharacters kept;
      DecodeUtf8(utf8, settings_.cyrillic, &decoded, &kept);
      block.utf8_total = static_cast<std::int64_t>(decoded.size());
      block.any_kept = !kept.empty();
    }
    return block;
  }

  void Merge(const BlockSurvey& block) {
    size_ += block.size;
    utf8_total_ += block.utf8_total;
    exact_total_ += block.exact_total;
    valid_ = valid_ && block.valid;
    beyond_ascii_ = beyond_ascii_ || block.beyond_ascii;
    any_kept_ = any_kept_ || block.any_kept;
  }

  // True while the blocks still to come may change the plan through their text: in the byte
  // model (their working copies' lengths), or while the file may still be UTF-8. Otherwise a
  // block adds only its size.
  bool NeedsText() const { return (translating_ && !decoded_) || (may_be_utf8_ && valid_); }

  // False once a block has proved that the file is not UTF-8 (DetectEncoding's rule over the
  // whole file, a block at a time: no block with a byte outside well-formed UTF-8, and some
  // block with a character beyond ASCII; only the file's own start counts as a byte-order mark).
  bool utf8_possible() const { return valid_; }

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
  const RunSettings& settings_;
  const bool decoded_;      // outside the byte model
  const bool translating_;  // not only converted
  const bool may_be_utf8_;
  bool bom_ = false;
  bool valid_ = true;
  bool beyond_ascii_ = false;
  bool any_kept_ = false;
  std::int64_t size_ = 0;
  std::int64_t utf8_total_ = 0;
  std::int64_t exact_total_ = 0;
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
                FilePlan* plan, int threads) {
  *plan = FilePlan();
  Survey survey(settings);
  // A file of more than a few blocks is measured on threads, a block each, while this thread
  // reads and cuts the next ones. The measures add up the same in any order.
  struct Job {
    std::string bytes;
    bool first = false;
    bool last = false;
  };
  struct Measured {
    BlockSurvey survey;
    std::string bytes;  // the job's, for reading another block into
  };
  std::optional<OrderedWorkers<Job, Measured>> workers;
  const bool in_parallel =
      threads > 1 && file.size() > kBlocksMeasuredAlone * static_cast<std::int64_t>(block_bytes);
  if (in_parallel)
    workers.emplace(threads, [&survey](Job& job, int, const std::atomic<bool>&) {
      return Measured{survey.Measure(job.bytes, job.first, job.last, /*utf8_possible=*/true),
                      std::move(job.bytes)};
    });
  std::vector<std::string> spare;  // buffers the workers are done with
  auto take_one = [&] {
    Measured measured = workers->Take();
    survey.Merge(measured.survey);
    spare.push_back(std::move(measured.bytes));
  };
  std::string buffer;
  std::int64_t offset = 0;  // of buffer's first byte in the file
  std::string_view previous_end;
  bool at_end = false;
  std::size_t scanned = 0;  // bytes of buffer already looked through for a line end
  const std::size_t cut_window =
      std::min(kCutWindow, std::max<std::size_t>(block_bytes / 2, kShortestCutWindow));
  std::string window;
  while (!at_end) {
    // A file's last piece is read with one byte more than it has, which finds its end at once
    // and keeps a small file from a block's worth of buffer.
    const std::int64_t at = offset + static_cast<std::int64_t>(buffer.size());
    const std::int64_t left = file.size() - at;
    const std::size_t wanted = left >= 0 && left <= static_cast<std::int64_t>(block_bytes)
                                   ? static_cast<std::size_t>(left) + 1
                                   : block_bytes;
    if (offset > 0 && scanned == 0 && wanted == block_bytes && cut_window <= wanted &&
        !survey.NeedsText()) {
      // Only the cut is wanted of this block: the last line end of the bytes it would read is
      // looked for in their last few, and the block read whole only when they hold none.
      const std::int64_t from = at + static_cast<std::int64_t>(wanted - cut_window);
      Status status = file.ReadAt(from, cut_window, &window);
      if (!status.ok()) return status;
      const std::size_t end_in_window =
          window.size() == cut_window ? CompleteLinesEnd(window, 0) : 0;
      if (end_in_window >= 2) {
        const auto cut = static_cast<std::size_t>(from - offset) + end_in_window;
        plan->blocks.push_back({offset, offset + static_cast<std::int64_t>(cut), previous_end});
        previous_end = LineEndBefore(window, end_in_window);
        survey.Merge({.size = static_cast<std::int64_t>(cut)});
        offset += static_cast<std::int64_t>(cut);
        buffer.assign(window, end_in_window);
        continue;
      }
    }
    const std::size_t had = buffer.size();
    Status status = file.AppendAt(at, wanted, &buffer);
    if (!status.ok()) return status;
    at_end = buffer.size() - had < wanted;
    std::size_t cut =
        at_end ? buffer.size() : CompleteLinesEnd(buffer, scanned > 0 ? scanned - 1 : 0);
    scanned = buffer.size();
    if (cut == 0 && !at_end) {
      // A line longer than a block may be as long as the rest of the file, which then has to
      // fit in memory: asked for at once, so that a file far too large fails at once.
      buffer.reserve(static_cast<std::size_t>(std::max(file.size() - offset, std::int64_t{0})));
      continue;
    }
    if (cut == 0 && !plan->blocks.empty()) break;  // the file ended at the last cut
    const std::string_view bytes = std::string_view(buffer).substr(0, cut);
    const bool first = offset == 0;
    const bool last = at_end && cut == buffer.size();
    if (first) survey.Start(bytes);
    plan->blocks.push_back({offset, offset + static_cast<std::int64_t>(cut), previous_end});
    if (cut > 0) previous_end = LineEndBefore(buffer, cut);
    offset += static_cast<std::int64_t>(cut);
    if (in_parallel) {
      // The block goes to a worker in this buffer; the rest of the line after it starts another.
      while (workers->waiting() >= kMeasuredAhead * static_cast<std::size_t>(threads)) take_one();
      std::string next;
      if (!spare.empty()) {
        next = std::move(spare.back());
        spare.pop_back();
      }
      next.assign(buffer, cut);
      buffer.resize(cut);
      workers->Add({std::move(buffer), first, last});
      buffer = std::move(next);
    } else {
      survey.Merge(survey.Measure(bytes, first, last, survey.utf8_possible()));
      buffer.erase(0, cut);
    }
    scanned = 0;
  }
  if (in_parallel)
    while (workers->waiting() > 0) take_one();
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
