// The command-line program run as users and scripts run it, on real files.
#include <sys/stat.h>

#include <algorithm>

#include "tests/cli/cli_fixture.h"

namespace lorvan {
namespace {

// How many bytes of text a terminal would take as control characters.
std::size_t TerminalControls(const std::string& text) {
  return std::count_if(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// What each option does to standard input; Run adds the original byte model, RunDefault not.
TEST_F(CliTest, OptionsOnStandardInput) {
  const std::string hleb_cyrillic = "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1";
  const struct {
    bool byte_exact;
    const char* args;
    std::string in, out;
  } rows[] = {
      {true, "", "Da li je hleb skup?\r\n<b title=\"hleb\nhleb\">hleb\n\nx</p><p>voz",
       "Je li je kruh skup?\n<b title=\"hleb\nhleb\">kruh\n\nx</p>\n<p>vlak\n"},
      // CR LF, CR and LF each end one line, also where a CR and a CR LF follow an LF.
      {true, "", "hleb\n\r\r\nvoz\rhleb\r", "kruh\n\n\nvlak\nkruh\n"},
      {true, "--convert", hleb_cyrillic + " hleb\r\n", "Hleb hleb\n"},
      {true, "", "hleb.rs/voz\n", "kruh.rs/vlak\n"},
      {true, "", "Mogu da vidim\n", "Mogu da vidim\n"},  // the modal rule is off
      // By default: UTF-8 in, UTF-8 out, each line end as it came, no end added, links kept.
      {false, "", "Hiljada \xe2\x80\x9chleb\xe2\x80\x9d \xf0\x9f\x98\x80\r\nvoz",
       "Tisu\xc4\x87" "a \xe2\x80\x9ckruh\xe2\x80\x9d \xf0\x9f\x98\x80\r\nvlak"},
      {false, "--encoding windows-1250 --line-ends lf", "Hiljada\r\n", "Tisu\xe6" "a\n"},
      {false, "", "hleb.rs/voz hleb\n", "hleb.rs/voz kruh\n"},
      {false, "--translate-links", "hleb.rs/voz\n", "kruh.rs/vlak\n"},
      {false, "", "Mogu da vidim\n", "Mogu vidjeti\n"},
  };
  for (const auto& row : rows) {
    const std::string args = std::string("--stdin ") + row.args;
    Result r = row.byte_exact ? Run(args, row.in) : RunDefault(args, row.in);
    EXPECT_EQ(r.exit_code, 0) << row.in << r.err;
    EXPECT_EQ(r.out, row.out) << row.in;
  }
}

// Folders walked, named files and paths, -o, outputs beside inputs or over them.
TEST_F(CliTest, TranslatesFoldersAndNamedFiles) {
  Put("a.txt", "Hleb i voz.\r\n");
  Put("sub/b.htm", "<p title=\"hleb\">hleb</p><p>voz</p>\n");
  Result r = Run("-r -q");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("a_hr.txt"), "Kruh i vlak.\r\n");
  EXPECT_EQ(Get("sub/b_hr.htm"), "<p title=\"hleb\">kruh</p>\r\n<p>vlak</p>\r\n");

  r = Run("-m '*.htm' -r -q --translate-tags --no-paragraphs -s");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("sub/b.htm"), "<p title=\"kruh\">kruh</p><p>vlak</p>\r\n");
  EXPECT_EQ(Get("a.txt"), "Hleb i voz.\r\n");

  Put("tekst/c.txt", "hleb");
  Put("d.txt", "voz");
  Put("e.txt", "voz");
  r = Run("-q tekst/c.txt d.txt");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("tekst/c_hr.txt"), "kruh\r\n");
  EXPECT_EQ(Get("d_hr.txt"), "vlak\r\n");
  EXPECT_FALSE(Exists("e_hr.txt"));

  r = Run("-q -r -s -o out -m '*.txt'");
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(Get("out/tekst/c.txt"), "kruh\r\n");  // the same name, under the output folder
  EXPECT_EQ(Get("tekst/c.txt"), "hleb");

  r = Run("-m '*.srt'");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("no file in . matches *.srt"), std::string::npos) << r.err;
}

// Translated with --cyrillic: the golden files cyrillic and cyrillic_utf8.
TEST_F(CliTest, CyrillicFilesAreConvertedOrNamed) {
  Put("c.txt", "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\na\n");
  Result r = Run("-q --convert");
  // A final bare LF ends the last line, as when translating; an inner one stays in its line.
  EXPECT_EQ(Get("c_sr.txt"), "Hleb\na\r\n\r\n");

  // Translated without the Cyrillic option, the file is named, not passed over.
  r = RunDefault("c.txt");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.err.find("c.txt is Serbian Cyrillic and was left untranslated (translate it with "
                       "--cyrillic)"),
            std::string::npos)
      << r.err;
  EXPECT_EQ(Get("c_hr.txt"), "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\na\n");
}

TEST_F(CliTest, ExitStatusSaysWhatWentWrong) {
  Put("a.txt", "hleb");
  Result r = Run("-q a.txt nema.txt");
  EXPECT_EQ(r.exit_code, 1);
  EXPECT_NE(r.err.find("Datoteka ./nema.txt ne postoji"), std::string::npos) << r.err;
  EXPECT_TRUE(Exists("a_hr.txt"));
  EXPECT_FALSE(Exists("nema_hr.txt"));

  EXPECT_EQ(Run("--no-such-option").exit_code, 2);
  EXPECT_EQ(Run("sub/a.txt").exit_code, 2);
  EXPECT_EQ(Run("-C nowhere").exit_code, 2);
  r = Run("--encoding latin2");  // a wrong choice is answered with the accepted names
  EXPECT_EQ(r.exit_code, 2);
  EXPECT_NE(r.err.find("auto, utf-8, windows-1250"), std::string::npos) << r.err;
  r = Run("-d /nonexistent-folder");
  EXPECT_EQ(r.exit_code, 2);  // the later -d wins
  EXPECT_NE(r.err.find("no dictionary file"), std::string::npos) << r.err;

  r = Run("--help");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("Kroz sve poddirektorije"), std::string::npos);
  r = Run("--stats");
  EXPECT_EQ(r.exit_code, 0);
  EXPECT_NE(r.out.find("Ukupno parova:  6\n"), std::string::npos) << r.out;
}

TEST_F(CliTest, AFailedWriteToStandardOutputIsReported) {
  std::string lines;
  for (int i = 0; i < 20000; ++i) lines += "hleb i voz\n";
  Put("in.txt", lines);
  Put("line.txt", "hleb\n");
  for (const char* args : {"--stats", "--version", "--help", "--stdin <in.txt",
                           "--stdin --byte-exact <in.txt", "--stdin <line.txt"}) {
    EXPECT_EQ(Script("\"$CLI\" -d \"$DICT\" " + std::string(args) + " >/dev/full 2>err"), 1)
        << args;
    EXPECT_EQ(Get("err"), "lorvan-cli: standard output: No space left on device\n") << args;
  }
  // Reading ends with the first failed write: an endless input does not keep it going.
  EXPECT_EQ(Script("yes hleb | timeout 20 \"$CLI\" -d \"$DICT\" --stdin >/dev/full 2>err"), 1);
}

TEST_F(CliTest, QuietKeepsProblemsAndDropsLineWarnings) {
  Put("dict/1_rjecnik.txt", "\tnista\r\nhleb\tkruh\r\n");
  Put("dict/2_fraze.txt", "#grupa\x1b[2J\r\n");
  const struct {
    const char* args;
    bool line_warnings;
  } rows[] = {{"-q", false}, {"", true}};
  for (const auto& row : rows) {
    Result r = Run(std::string(row.args) + " -d dict --stdin", "hleb\n");
    EXPECT_EQ(r.exit_code, 0) << row.args;
    EXPECT_EQ(r.out, "kruh\n") << row.args;
    EXPECT_NE(r.err.find("lorvan-cli: dict/3_imena.txt: No such file or directory\n"),
              std::string::npos)
        << row.args << r.err;
    EXPECT_EQ(r.err.find("redak 1") != std::string::npos, row.line_warnings) << r.err;
    EXPECT_EQ(r.err.find("grupa\\x1B[2J") != std::string::npos, row.line_warnings) << r.err;
    EXPECT_EQ(r.err.find('\x1b'), std::string::npos) << row.args;
  }
}

TEST_F(CliTest, ControlCharactersInNamesAreShownEscaped) {
  Put("c\x1b]0;x\a.txt", "\xd0\xa5\xd0\xbb\xd0\xb5\xd0\xb1\n");
  const struct {
    const char* args;
    const char* shown;
  } rows[] = {
      {"'x\x1b[2J.txt'", "./x\\x1B[2J.txt ne postoji"},
      {"'c\x1b]0;x\a.txt'", "./c\\x1B]0;x\\x07.txt is Serbian Cyrillic"},
      {"'a\r/b'", "./a\\x0D: No such file"},
      {"-C 'no\x7f'", "no\\x7F: No such file"},
      {"-d 'no\n'", "could be read in no\\x0A\nlorvan-cli: no\\x0A/1_rjecnik.txt: No such"},
  };
  for (const auto& row : rows) {
    Result r = RunDefault(row.args);
    EXPECT_NE(r.err.find(row.shown), std::string::npos) << row.args << "\n" << r.err;
    std::string controls = r.err;
    std::erase(controls, '\n');
    EXPECT_EQ(TerminalControls(controls), 0) << row.args;
  }
}

TEST_F(CliTest, ProgressOnATerminalCountsFilesAndShowsNamesEscaped) {
  if (Script("command -v script >/dev/null") != 0) GTEST_SKIP() << "no script(1) to get a pty";
  Put("a\x1b[31m.txt", "hleb\n");
  Put("b.txt", "voz\n");
  ASSERT_EQ(Script("script -qec '\"$CLI\" -d \"$DICT\"' /dev/null </dev/null >pty"), 0);
  const std::string pty = Get("pty");
  for (const char* shown : {"] 100 %  1 file done  ", "] 100 %  2 files done  ", "a\\x1B[31m.txt"})
    EXPECT_NE(pty.find(shown), std::string::npos) << shown << "\n" << pty;
  EXPECT_EQ(pty.find("a\x1b[31m"), std::string::npos);
}

TEST_F(CliTest, CtrlCEndsTheRunWithStatus130) {
  ASSERT_EQ(::mkfifo(Path("fifo").c_str(), 0600), 0);
  ASSERT_EQ(Script("\"$CLI\" -d \"$DICT\" --stdin <fifo >out &\n"
                   "pid=$!\n"
                   "exec 3>fifo\n"
                   "printf 'hleb\\n' >&3\n"
                   "sleep 0.5\n"
                   "kill -INT $pid\n"
                   "wait $pid\n"
                   "echo $? >status\n"),
            0);
  EXPECT_EQ(Get("status"), "130\n");
  EXPECT_EQ(Get("out"), "kruh\n");
}

}  // namespace
}  // namespace lorvan
