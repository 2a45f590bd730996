// Writes the seed corpora of the fuzz targets into OUT/<target>/: the golden test cases and
// dictionaries, slices of the shipped dictionaries and sample texts, and generated inputs.
// The corpora in fuzz/corpus/ were made with it:
//   lorvan_fuzz_seeds SOURCE_DIR SOURCE_DIR/fuzz/corpus
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "common/text_file.h"
#include "encoding/letters.h"
#include "fuzz/fuzz_support.h"
#include "reference/encoding_generators.h"
#include "reference/phrase_generators.h"

namespace lorvan::fuzz {
namespace {

namespace fs = std::filesystem;

const char* const kGoldenCases[] = {"basic", "cyrillic", "prepositions", "tags_translated",
                                    "unix_lines"};
const char* const kSamples[] = {"cirilica.txt",     "razgovor.txt", "stranica.htm",
                                "svakodnevica.txt", "titlovi.srt",  "vesti.txt"};

std::string Read(const fs::path& path) {
  std::string bytes;
  if (!ReadFileBytes(path.string(), &bytes).ok()) std::cerr << "cannot read " << path << "\n";
  return bytes;
}

void Write(const fs::path& dir, const std::string& name, const std::string& bytes) {
  fs::create_directories(dir);
  if (!WriteFileBytes((dir / name).string(), bytes).ok()) std::cerr << "cannot write " << name;
}

// The first count lines of text, each cut to its first 120 bytes and ended by CR LF.
std::string FirstLines(std::string_view text, int count) {
  std::string out;
  ForEachLine(text, [&](std::string_view line) {
    if (count-- > 0) out.append(line.substr(0, 120)).append("\r\n");
  });
  return out;
}

// The lines of a dictionary file whose source (up to the TAB, trimmed of spaces) occurs in
// text without regard to case; at most 10 of them.
std::string LinesFor(std::string_view file, const std::string& text) {
  const std::string folded = ToLowerCopy(text);
  std::string out;
  int taken = 0;
  ForEachLine(file, [&](std::string_view line) {
    std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || taken >= 10) return;
    std::string source = ToLowerCopy(line.substr(0, tab));
    std::size_t first = source.find_first_not_of(' ');
    if (first == std::string::npos) return;
    source = source.substr(first, source.find_last_not_of(' ') - first + 1);
    if (source.size() < 2 || folded.find(source) == std::string::npos) return;
    out.append(line).append("\r\n");
    ++taken;
  });
  return out;
}

std::string TranslationInput(char options, const std::string& words, const std::string& phrases,
                             const std::string& names, const std::string& lines) {
  return std::string(1, options) + words + '\0' + phrases + '\0' + names + '\0' + lines;
}

// A phrase file holding list's entries, with every group closed at the end.
std::string PhraseFile(const std::vector<PhraseEntry>& list) {
  std::string file;
  for (const PhraseEntry& entry : list)
    file += entry.source.starts_with("#") ? entry.source + "\r\n"
                                          : entry.source + "\t" + entry.target + "\r\n";
  return file + "=\r\n---\r\n";
}

std::string NameFile(const std::vector<NameEntry>& list) {
  std::string file;
  for (const NameEntry& entry : list) file += entry.source + "\t" + entry.target + "\r\n";
  return file;
}

// A word file of pairs from the words of text (as small letters), with generated targets.
std::string WordFileFor(testing::PhraseListGenerator& gen, const std::string& text) {
  std::set<std::string> words;
  std::string word;
  for (char c : text + ' ') {
    if (IsWordLetter(static_cast<unsigned char>(c))) {
      word += c;
    } else if (!word.empty()) {
      words.insert(ToLowerCopy(word));
      word.clear();
    }
  }
  std::string file;
  for (const std::string& source : words)
    if (gen.text().Chance(0.5)) file += source + "\t" + gen.Fragment(1, 2) + "\r\n";
  return file;
}

void WriteDictionarySeeds(const fs::path& source, const fs::path& out) {
  const fs::path golden = source / "tests/golden/dictionary", data = source / "data";
  const std::string words = Read(golden / "1_rjecnik.txt"), phrases = Read(golden / "2_fraze.txt"),
                    names = Read(golden / "3_imena.txt");
  Write(out, "golden_words", "0" + words);
  Write(out, "golden_phrases", "1" + phrases);
  Write(out, "golden_names", "2" + names);
  Write(out, "golden_all", "3" + words + phrases + names);
  Write(out, "data_words", "0" + FirstLines(Read(data / "1_rjecnik.txt"), 30));
  Write(out, "data_phrases", "1" + FirstLines(Read(data / "2_fraze.txt"), 30));
  Write(out, "data_names", "2" + FirstLines(Read(data / "3_imena.txt"), 20));
  for (std::uint32_t seed = 1; seed <= 2; ++seed) {
    testing::PhraseListGenerator gen(seed);
    Write(out, "generated_phrases_" + std::to_string(seed), "1" + PhraseFile(gen.Phrases(30)));
    Write(out, "generated_words_" + std::to_string(seed),
          "0" + WordFileFor(gen, gen.text().Line(40)));
  }
}

void WriteTranslationSeeds(const fs::path& source, const fs::path& out) {
  const fs::path golden = source / "tests/golden", data = source / "data";
  const std::string words = Read(golden / "dictionary/1_rjecnik.txt"),
                    phrases = Read(golden / "dictionary/2_fraze.txt"),
                    names = Read(golden / "dictionary/3_imena.txt");
  for (const char* name : kGoldenCases) {
    std::string options = Read(golden / (std::string(name) + ".options"));
    char bits = static_cast<char>((options.find("skip-tags") != std::string::npos ? 1 : 0) |
                                  (options.find("cyrillic") != std::string::npos ? 2 : 0));
    Write(
        out, std::string("golden_") + name,
        TranslationInput(bits, words, phrases, names, Read(golden / (std::string(name) + ".in"))));
  }
  const std::string data_words = Read(data / "1_rjecnik.txt"),
                    data_phrases = Read(data / "2_fraze.txt"),
                    data_names = Read(data / "3_imena.txt");
  for (const char* name : kSamples) {
    std::string lines = FirstLines(Read(source / "tests/samples/input" / name), 3);
    char bits = std::string(name) == "cirilica.txt" ? 3 : 1;
    Write(out, std::string("sample_") + name,
          TranslationInput(bits, LinesFor(data_words, lines), LinesFor(data_phrases, lines),
                           LinesFor(data_names, lines), lines));
  }
  for (std::uint32_t seed = 1; seed <= 6; ++seed) {
    testing::PhraseListGenerator gen(seed);
    std::vector<PhraseEntry> list = gen.Phrases(8);
    std::vector<NameEntry> name_list = gen.Names(4);
    std::vector<std::string> sources = testing::SourcesOf(list);
    for (const std::string& s : testing::SourcesOf(name_list)) sources.push_back(s);
    std::string lines;
    for (int i = 0; i < 4; ++i) lines += (i % 2 ? gen.text().Line(6) : gen.Line(sources)) + "\r\n";
    Write(out, "generated_" + std::to_string(seed),
          TranslationInput(static_cast<char>(seed % 4), WordFileFor(gen, lines), PhraseFile(list),
                           NameFile(name_list), lines));
  }
}

void WriteEncodingSeeds(const fs::path& source, const fs::path& out) {
  for (const char* name : kGoldenCases)
    Write(out, std::string("golden_") + name,
          Read(source / "tests/golden" / (std::string(name) + ".in")));
  for (const char* name : kSamples)
    Write(out, std::string("sample_") + name,
          FirstLines(Read(source / "tests/samples/input" / name), 5));
  testing::TextGenerator gen(7);
  for (int i = 1; i <= 3; ++i) {
    std::string n = std::to_string(i);
    Write(out, "soup_" + n, testing::EncodingSoup(gen, 40));
    std::string cyrillic = testing::CyrillicLine(gen, 10);
    Write(out, "cyrillic_" + n, i == 3 ? testing::CyrillicCapitals(cyrillic) : cyrillic);
    Write(out, "paragraphs_" + n, testing::ParagraphFile(gen, 12));
  }
}

}  // namespace
}  // namespace lorvan::fuzz

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: lorvan_fuzz_seeds SOURCE_DIR OUT_DIR\n";
    return 2;
  }
  const std::filesystem::path source = argv[1], out = argv[2];
  lorvan::fuzz::WriteDictionarySeeds(source, out / "dictionary_loader");
  lorvan::fuzz::WriteTranslationSeeds(source, out / "line_translation");
  lorvan::fuzz::WriteEncodingSeeds(source, out / "encoding");
  return 0;
}
