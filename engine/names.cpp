#include "engine/names.h"

#include <bit>

#include "encoding/letters.h"

namespace lorvan {
namespace {

// Under exact comparison every occurrence is written like source itself, so a source in
// small letters only or capitals only (or without letters) never changes a line.
bool CanChangeLine(std::string_view source) {
  return !source.empty() && source != ToLowerCopy(source) && source != ToUpperCopy(source);
}

}  // namespace

NamePass::NamePass(const std::vector<NameEntry>& names) {
  rules_.reserve(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    rules_.push_back(MakeNameRule(names[i].source, names[i].target));
    if (!CanChangeLine(names[i].source)) continue;
    if (names[i].source.size() <= kLongestMatchedPattern)
      matcher_.Add(names[i].source, i);
    else
      unmatched_.push_back(i);
    source_starts_.Add(names[i].source);
    begins_source_[static_cast<unsigned char>(names[i].source[0])] = true;
    barriers_.Exclude(names[i].source);
    barriers_.Exclude(names[i].target);
  }
  matcher_.Build();
  source_starts_.Build();
  for (int byte = 0; byte < 256; ++byte)
    if (begins_source_[byte] && !IsCapital(static_cast<unsigned char>(byte)))
      sources_begin_with_capitals_ = false;
  seen_patterns_.Resize(matcher_.pattern_count());
  present_.Resize(names.size());
}

void NamePass::Scan(const std::string& line) {
  present_.Clear();
  matcher_.FindEntries(line, seen_patterns_, present_);
  for (std::size_t i : unmatched_) present_.Set(i);
}

bool NamePass::MayApply(std::string_view line) const {
  const char* p = line.data();
  const char* const end = p + line.size();
  auto begins_here = [&](const char* at) {
    return begins_source_[static_cast<unsigned char>(*at)] && source_starts_.MayBeginAt(at, end);
  };
  if (sources_begin_with_capitals_) {  // only the capitals among each sixteen bytes are tried
    for (; end - p >= 16; p += 16) {
      for (unsigned capitals = CapitalMask16(p); capitals != 0; capitals &= capitals - 1)
        if (begins_here(p + std::countr_zero(capitals))) return true;
    }
  }
  for (; p < end; ++p)
    if (begins_here(p)) return true;
  return false;
}

void NamePass::Apply(std::string& line) {
  if (matcher_.pattern_count() == 0 && unmatched_.empty()) return;  // no name can change it
  if (!MayApply(line)) return;
  if (line.size() > kLongLine) {
    std::vector<std::string> pieces = CutAtBarriers(line, barriers_, kPieceLength);
    if (pieces.size() > 1) {
      for (std::string& piece : pieces) ApplyToLine(piece);
      JoinPieces(pieces, &line);
      return;
    }
  }
  ApplyToLine(line);
}

void NamePass::ApplyToLine(std::string& line) {
  Scan(line);
  for (std::size_t i = present_.NextSet(0); i < rules_.size(); i = present_.NextSet(i + 1)) {
    if (ApplyNameRule(rules_[i], line, line, &out_) && out_ != line) {
      line.swap(out_);
      Scan(line);
    }
  }
}

}  // namespace lorvan
