#include "engine/links.h"

#include <algorithm>
#include <array>

#include "common/find_bytes.h"
#include "encoding/letters.h"

namespace lorvan {
namespace {

// Delimiters end a link candidate: controls, spaces, quotes, angle brackets, dashes and
// ellipsis of Windows-1250, and the mark of a character the decoder kept away.
constexpr std::array<bool, 256> BuildDelimiters() {
  std::array<bool, 256> delimiter{};
  for (int c = 0; c <= 0x20; ++c) delimiter[c] = true;
  constexpr unsigned char kOthers[] = {0x7F, '"',  '\'', '`',  '<',  '>',  0x81, 0x84, 0x85, 0x8B,
                                       0x91, 0x92, 0x93, 0x94, 0x96, 0x97, 0x9B, 0xA0, 0xAB, 0xBB};
  for (unsigned char c : kOthers) delimiter[c] = true;
  return delimiter;
}
constexpr std::array<bool, 256> kDelimiters = BuildDelimiters();

bool IsDelimiter(char c) { return kDelimiters[static_cast<unsigned char>(c)]; }

// Every link holds one of these (an e-mail address holds a '.' after its '@').
constexpr std::array<char, 3> kTriggers = {'.', '/', '\\'};

// Top-level domains that make a dotted name a host name.
constexpr std::string_view kTopLevelDomains[] = {
    "rs", "hr", "ba", "me", "si",  "mk",  "bg",  "hu",  "ro",  "at",  "de",  "ch",   "it", "fr",
    "uk", "eu", "ru", "us", "com", "org", "net", "edu", "gov", "int", "biz", "info", "io", "tv"};
constexpr std::string_view kWebStarts[] = {"http://", "https://", "ftp://", "www."};
constexpr std::string_view kPathStarts[] = {"~/", "./", "../", ".\\", "..\\", "\\\\"};

bool IsAsciiAlnum(char c) { return IsAsciiLetter(c) || (c >= '0' && c <= '9'); }

// The last label of host when host is two or more labels of ASCII letters, digits and '-'
// joined by single dots; empty otherwise.
std::string_view LastLabel(std::string_view host) {
  std::size_t labels = 0, start = 0;
  for (std::size_t i = 0; i <= host.size(); ++i) {
    if (i == host.size() || host[i] == '.') {
      if (i == start) return {};
      ++labels;
      start = i + 1;
    } else if (!IsAsciiAlnum(host[i]) && host[i] != '-') {
      return {};
    }
  }
  return labels >= 2 ? host.substr(host.rfind('.') + 1) : std::string_view();
}

bool IsHostName(std::string_view run) {
  std::string_view host = run.substr(0, run.find('/'));
  if (std::size_t colon = host.find(':'); colon != std::string_view::npos) {
    std::string_view port = host.substr(colon + 1);
    if (port.empty() ||
        !std::all_of(port.begin(), port.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
    host = host.substr(0, colon);
  }
  std::string_view domain = LastLabel(host);
  return std::find(std::begin(kTopLevelDomains), std::end(kTopLevelDomains), domain) !=
         std::end(kTopLevelDomains);
}

bool IsEmailAddress(std::string_view run) {
  const std::size_t at = run.find('@');
  if (at == 0 || at == std::string_view::npos) return false;
  for (char c : run.substr(0, at))
    if (!IsAsciiAlnum(c) && std::string_view("._%+-").find(c) == std::string_view::npos)
      return false;
  std::string_view domain = LastLabel(run.substr(at + 1));
  return domain.size() >= 2 && std::all_of(domain.begin(), domain.end(), IsAsciiLetter);
}

// "/" alone, a fraction "/2" or a closing tag "/a" is no path: an absolute path needs a
// second "/" after a name.
bool IsFilePath(std::string_view run) {
  if (run.size() < 3) return false;
  if (run[0] == '/') return run[1] != '/' && run.find('/', 2) != std::string_view::npos;
  for (std::string_view start : kPathStarts)
    if (run.size() > start.size() && run.substr(0, start.size()) == start) return true;
  return IsAsciiLetter(run[0]) && run[1] == ':' && (run[2] == '\\' || run[2] == '/');
}

bool IsLink(std::string_view run) {
  for (std::string_view start : kWebStarts)
    if (EqualsIgnoreCase(run.substr(0, start.size()), start)) return run.size() > start.size();
  if (run.find('@') != std::string_view::npos) return IsEmailAddress(run);
  return IsFilePath(run) || IsHostName(run);
}

// run without the opening brackets before it and the sentence punctuation and unmatched
// closing brackets after it.
std::string_view Trim(std::string_view run) {
  while (!run.empty() && (run.front() == '(' || run.front() == '[' || run.front() == '{'))
    run.remove_prefix(1);
  const bool round = run.find('(') != std::string_view::npos;
  const bool square = run.find('[') != std::string_view::npos;
  while (!run.empty()) {
    const char c = run.back();
    const bool trailing = std::string_view(".,;:!?}").find(c) != std::string_view::npos ||
                          (c == ')' && !round) || (c == ']' && !square);
    if (!trailing) break;
    run.remove_suffix(1);
  }
  return run;
}

}  // namespace

void FindLinks(std::string_view text, std::vector<LinkSpan>* spans) {
  spans->clear();
  const std::size_t n = text.size();
  for (std::size_t i = FindAnyOf3(text, 0, kTriggers); i < n;) {
    std::size_t end = i + 1;
    // A full stop before a delimiter, as at a sentence's end, is trimmed from its run: it
    // makes no link, and a run with another trigger is looked at from that one.
    if (text[i] != '.' || (end < n && !IsDelimiter(text[end]))) {
      // The run around the trigger; the previous run ended at a delimiter before it.
      std::size_t begin = i;
      while (begin > 0 && !IsDelimiter(text[begin - 1])) --begin;
      while (end < n && !IsDelimiter(text[end])) ++end;
      std::string_view run = Trim(text.substr(begin, end - begin));
      if (IsLink(run)) {
        const auto first = static_cast<std::size_t>(run.data() - text.data());
        spans->push_back({first, first + run.size()});
      }
    }
    i = FindAnyOf3(text, end, kTriggers);
  }
}

}  // namespace lorvan
