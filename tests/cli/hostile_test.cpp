// Hostile and broken inputs given to the command-line program: it must say what happened, exit
// with the right status, and lose or change no file it should not.
#include <sys/stat.h>
#include <unistd.h>

#include "tests/cli/cli_fixture.h"

namespace lorvan {
namespace {

using namespace std::string_literals;

std::string Repeat(const std::string& unit, std::size_t size) {
  std::string text;
  text.reserve(size + unit.size());
  while (text.size() < size) text += unit;
  return text;
}

TEST_F(CliTest, BinaryFilesAreSkippedUnlessAskedFor) {
  const std::string nul = "hleb\0voz\0\0\r\n\0"s;
  Put("nul.txt", nul);
  Result r = Run("nul.txt");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_NE(r.err.find("nul.txt: nije tekstualna datoteka, presko\304\215ena"), std::string::npos)
      << r.err;
  EXPECT_FALSE(Exists("nul_hr.txt"));
  r = Run("-q --binary -s nul.txt");  // the same bytes over the input
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("nul.txt"), "kruh\0vlak\0\0\r\n\0\r\n"s);
}

TEST_F(CliTest, AHundredMegabyteSingleLine) {
  const std::size_t size = kSanitized ? (std::size_t{10} << 20) : std::size_t{100'000'000};
  const std::string unit = "Hleb i voz, da li? ";
  Put("linija.txt", Repeat(unit, size));
  Result r = Run("-q -s linija.txt");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  const std::string expected = Repeat("Kruh i vlak, je li? ", size / unit.size() * 20 + 20);
  EXPECT_TRUE(Get("linija.txt") == expected + "\r\n");
}

TEST_F(CliTest, OddFilesAndNames) {
  const struct {
    std::string input, output, bytes, translated;
  } cases[] = {
      {"empty.txt", "empty_hr.txt", "", ""},
      {"pjesma", "pjesma_hr", "hleb", "kruh\r\n"},  // no extension
      {"a.b.c/x y.txt", "a.b.c/x y_hr.txt", "hleb", "kruh\r\n"},
      {"q'\"x.txt", "q'\"x_hr.txt", "hleb", "kruh\r\n"},
      {"-x.txt", "-x_hr.txt", "hleb", "kruh\r\n"},
      {"\xe8\xff.txt", "\xe8\xff_hr.txt", "hleb", "kruh\r\n"},
  };
  for (const auto& c : cases) Put(c.input, c.bytes);
  Put(".skriven", "hleb");
  ASSERT_EQ(::symlink("/dev/zero", Path("zero.txt").c_str()), 0);
  ASSERT_EQ(::mkfifo(Path("pipe.txt").c_str(), 0600), 0);
  Result r = Run("-q -r");  // the folder lists neither hidden files nor the device nor the pipe
  EXPECT_EQ(r.exit_code, 0) << r.err;
  for (const auto& c : cases) {
    EXPECT_EQ(Get(c.output), c.translated) << c.input;
    EXPECT_EQ(Get(c.input), c.bytes) << c.input;
  }
  EXPECT_FALSE(Exists(".skriven_hr"));

  r = Run("-q -- -x.txt .skriven " + Quote("q'\"x.txt") + " " + Quote("\xe8\xff.txt"));
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get(".skriven_hr"), "kruh\r\n");
  EXPECT_FALSE(Exists("-x_hr_hr.txt"));
  r = Run("-q pipe.txt");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("pipe.txt: not a regular file"), std::string::npos) << r.err;
  r = Run("zero.txt");  // named, but a link out of the folder
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.err.find("zero.txt: simboli\304\215ka veza izvan mape"), std::string::npos) << r.err;
}

TEST_F(CliTest, AnOutputThatCannotBeWrittenEndsTheRun) {
  Put("a.txt", "hleb");
  Put("b.txt", "hleb");
  ASSERT_TRUE(std::filesystem::create_directory(Path("a_hr.txt")));
  Result r = Run("-q");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("a_hr.txt: Is a directory"), std::string::npos) << r.err;
  EXPECT_FALSE(Exists("b_hr.txt"));
}

TEST_F(CliTest, HostileDictionaryFiles) {
  std::string lines_500k;
  for (int n = 0; n < 500'000; ++n)
    lines_500k += "w" + std::to_string(n) + "\tv" + std::to_string(n) + "\r\n";
  // Any bytes through the loader are the dictionary-loader fuzz target's.
  const std::string kinds[] = {"hl\0eb\tx\r\nvoz\tvlak\r\n"s,
                               "A" + std::string(10 << 20, 'a') + "\tb\r\nvoz\tvlak\r\n",
                               lines_500k + "voz\tvlak\r\n"};
  for (const std::string& bytes : kinds) {
    for (const std::string file : {"1_rjecnik.txt", "2_fraze.txt", "3_imena.txt"}) {
      std::filesystem::remove_all(Path("d"));
      std::filesystem::copy(kDictionary, Path("d"));
      Put("d/" + file, bytes);
      Result r = Run("-q -d d --stdin", "hleb i voz, Njujork\n");
      const std::string what = file + " of " + std::to_string(bytes.size()) + " bytes";
      EXPECT_EQ(r.exit_code, 0) << what << ": " << r.err;
      // Whatever the damaged file held, the two others still translate.
      EXPECT_TRUE(file == "1_rjecnik.txt" || r.out.starts_with("kruh")) << what;
      EXPECT_TRUE(file == "3_imena.txt" || r.out.find("New York") != std::string::npos) << what;
    }
  }
}

}  // namespace
}  // namespace lorvan
