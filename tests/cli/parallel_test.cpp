// -j 4 against -j 1 over generated folder trees and standard input: the same outputs, messages
// and exit status. The four jobs take files and standard input in blocks of a few bytes, so
// that their blocks are translated apart and tags stay open across the cuts.
#include <filesystem>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "tests/cli/cli_fixture.h"

namespace lorvan {
namespace {

namespace fs = std::filesystem;

// Pieces of text that move the scan's state: dictionary words, prepositions held for the next
// word, tags and tag ends, Cyrillic, and every line end.
const std::vector<std::string> kLatin = {
    "hleb", "Hleb", "voz", "reka", "uslov", "hiljada", "da li", "kad god", "s ", "sa ", "k ",
    "ka ", "S ", " ", " ", ", ", ". ", "<", ">", "<", ">", "<p>", "</p><b>", "<a href=\"hleb\">",
    "\r\n", "\n", "\r", "\r\n\r\n"};
const std::vector<std::string> kUtf8 = {"hoćeš", "šuma ", "хлеб", "воз ", "ш", "Ђ"};
const std::vector<std::string> kCp1250 = {"ho\xe6" "e\x9a", "\x9auma ", "\x8a", "\xe8"};

std::string MakeText(std::mt19937& random, bool utf8) {
  const auto& letters = utf8 ? kUtf8 : kCp1250;
  std::string text;
  const int pieces = static_cast<int>(random() % (random() % 8 == 0 ? 400 : 40));
  for (int i = 0; i < pieces; ++i)
    text += random() % 5 == 0 ? letters[random() % letters.size()]
                              : kLatin[random() % kLatin.size()];
  if (random() % 4 == 0) text += "<";  // a tag left open at the end of the file
  if (random() % 6 == 0) text += "k";  // a preposition ending the file
  return text;
}

// A folder of up to 13 files; some of their outputs (and backups) are there before the run.
void MakeFolder(std::mt19937& random, const fs::path& folder) {
  fs::create_directories(folder);
  const int files = static_cast<int>(random() % 14);
  for (int n = 0; n < files; ++n) {
    const std::string name = "f" + std::to_string(10 + n);
    std::string text = MakeText(random, random() % 2 == 0);
    if (random() % 15 == 0) text.insert(text.size() / 2, 1, '\0');  // not a text file
    ASSERT_TRUE(WriteFileBytes((folder / (name + ".txt")).string(), text).ok());
    if (random() % 12 == 0) {
      ASSERT_TRUE(WriteFileBytes((folder / (name + ".txt~")).string(), "stari hleb").ok());
    }
    if (random() % 25 == 0) {
      for (const char* suffix : {"_hr.txt", "_sr.txt"}) {
        const fs::path output = folder / (name + suffix);
        ASSERT_TRUE(WriteFileBytes(output.string(), "").ok());
        fs::permissions(output, fs::perms::owner_read | fs::perms::group_read);
      }
    }
  }
}

// Every file under folder by its path relative to it, with its bytes.
std::map<std::string, std::string> Tree(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::string bytes;
    EXPECT_TRUE(ReadFileBytes(entry.path().string(), &bytes).ok());
    files[fs::relative(entry.path(), folder).string()] = bytes;
  }
  return files;
}

class ParallelTest : public CliTest {
 protected:
  // Runs the program with args over a copy of the tree at "tree", in folder run; returns its
  // exit status, standard error and the files left.
  std::string RunOver(const std::string& run, const std::string& args) {
    fs::create_directories(Path(run));
    fs::copy(Path("tree"), Path(run + "/tree"),
             fs::copy_options::recursive | fs::copy_options::copy_symlinks);
    Script("cd " + run + " && \"$CLI\" -d \"$DICT\" -C tree " + args +
           " >out 2>err; echo $? >status");
    std::string all = Get(run + "/status") + Get(run + "/out") + Get(run + "/err");
    for (const auto& [name, bytes] : Tree(Path(run + "/tree"))) all += "\n" + name + "\n" + bytes;
    return all;
  }
};

TEST_F(ParallelTest, FourJobsWriteWhatOneDoes) {
  std::mt19937 random(20261207);
  for (int tree = 0; tree < 2; ++tree) {
    const fs::path top = Path("tree");
    fs::remove_all(top);
    MakeFolder(random, top);
    for (const char* sub : {"a", "b", "b/c", "d"}) MakeFolder(random, top / sub);
    for (const char* mode : {"", "--byte-exact", "--cyrillic", "--convert"}) {
      // A No to the write-protected question ends the run; with -y it goes on. Under an output
      // folder, a folder is made in the turn of its first file.
      for (const char* options : {"-r", "-r -y", "-r -y -s -b", "-r -y -o tree/out"}) {
        const std::string args = std::string(mode) + " " + options;
        const std::string one = RunOver("one", "-j 1 " + args);
        const std::string four = RunOver("four", "-j 4 --block-bytes 24 " + args);
        EXPECT_EQ(one, four) << "tree " << tree << ": " << args;
        fs::remove_all(Path("one"));
        fs::remove_all(Path("four"));
      }
    }
  }
}

// Outputs written ahead of their turn stay open until then: with many jobs and a low limit of
// open files, the run writes them in their turn instead of failing.
TEST_F(ParallelTest, ManyJobsKeepWithinTheLimitOfOpenFiles) {
  for (int i = 0; i < 80; ++i) Put("f" + std::to_string(i) + ".txt", "hleb\n");
  EXPECT_EQ(Script("ulimit -n 40 && \"$CLI\" -q -d \"$DICT\" -j 30"), 0);
  for (int i = 0; i < 80; ++i) EXPECT_EQ(Get("f" + std::to_string(i) + "_hr.txt"), "kruh\n") << i;
}

TEST_F(ParallelTest, StandardInputInBlocksIsTranslatedAsInOne) {
  std::mt19937 random(20261208);
  // A last line without an end is cut at its paragraphs and ends as the line before it, which
  // is in the block before.
  std::vector<std::string> texts = {"hleb\r\nx</p><p>voz", "hleb\rx</p><p>voz"};
  for (int text = 0; text < 6; ++text) {
    texts.emplace_back();
    while (texts.back().size() < 2000) texts.back() += MakeText(random, text % 2 == 0);
  }
  for (std::size_t text = 0; text < texts.size(); ++text) {
    Put("in", texts[text]);
    for (const char* mode : {"", "--byte-exact", "--cyrillic", "--convert", "--translate-tags",
                             "--no-paragraphs --line-ends crlf"}) {
      const std::string run = "\"$CLI\" -d \"$DICT\" --stdin " + std::string(mode);
      Script(run + " -j 1 <in >one 2>&1; " + run + " -j 4 --block-bytes 5 <in >four 2>&1; " +
             "cat in | " + run + " -j 4 --block-bytes 300 >piped 2>&1");
      EXPECT_EQ(Get("one"), Get("four")) << "text " << text << ": " << mode;
      EXPECT_EQ(Get("one"), Get("piped")) << "text " << text << ": " << mode;
    }
  }
}

}  // namespace
}  // namespace lorvan
