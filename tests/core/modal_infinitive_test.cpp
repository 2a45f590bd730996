#include "engine/modal_infinitive.h"

#include <gtest/gtest.h>

#include "encoding/convert.h"

namespace lorvan {
namespace {

// text with its Croatian letters as Windows-1250 bytes.
std::string Cp1250(std::string text) { return ConvertEncoding(text, /*from_utf8=*/true); }

// A small modal file as the loader hands it over, line by line.
ModalTable TestTable() {
  ModalTable table;
  for (const char* line : {
           "A note: lines of another shape are ignored.",
           "+\tmogu\tmožeš\tmože\tmožemo\tmožete\tmogu",
           "+\tmogao\tmogao\tmogao\tmogli\tmogli\tmogli",
           "+\tmorat\tmorat\tmorat\tmorat\tmorat\tmorat",
           "+\tželim\tželiš\tželi\tželimo\tželite\tžele",
           "*treba\ttrebam\ttrebaš\ttreba\ttrebamo\ttrebate\ttrebaju",
           "vidjeti\tvidim\tvidiš\tvidi\tvidimo\tvidite\tvide",
           "ići\tidem\tideš\tide\tidemo\tidete\tidu",
           "učiniti\tučinim\tučiniš\tučini\tučinimo\tučinite\tučine",
           "doći\tdođem\tdođeš\tdođe\tdođemo\tdođete\tdođu",
           "dati\tdam\tdaš\tda\tdamo\tdate\tdaju",
           "ostati\t-\t\tostane\t\t\t",
           "vidjeti\tvidim\tvidiš\tvidi\tvidimo\tvidite\tvide\textra",
       })
    table.AddLine(Cp1250(line));
  return table;
}

TEST(ModalInfinitives, RewritesModalDaPresentAndLeavesEverythingElse) {
  const struct {
    const char* in;
    const char* out;
  } rows[] = {
      {"Može da vidi.", "Može vidjeti."},
      {"moram da idem, mogu da idem", "moram da idem, mogu ići"},  // moram: no modal here
      {"Treba da se učini", "Treba se učiniti"},
      {"Šta treba da idem? TREBA DA IDEM", "Šta trebam ići? TREBAM IĆI"},
      {"treba li da idem", "trebam li ići"},
      {"treba mi da idem", "treba mi da idem"},  // only "li" between treba and da
      {"mogu da vidim i mogu da vide", "mogu vidjeti i mogu vidjeti"},
      {"mogao bi da dođe", "mogao bi doći"},
      {"mogli smo da ga vidimo", "mogli smo ga vidjeti"},
      {"Morat ćeš da dođeš", "Morat ćeš doći"},
      {"MOŽE DA VIDI", "MOŽE VIDJETI"},
      {"može da Vidi", "može Vidjeti"},
      {"može da da", "može dati"},
      {"želi da može da vidi", "želi da može vidjeti"},
      // Not modal + da + present: the line stays.
      {"želim da dođeš", "želim da dođeš"},  // persons differ: I want you to come
      {"kaže da vidi", "kaže da vidi"},
      {"Može, da. Vidi", "Može, da. Vidi"},
      {"može da", "može da"},
      {"može da ", "može da "},
      {"može da je vidio", "može da je vidio"},
      {"može da se", "može da se"},
      {"može  da vidi", "može  da vidi"},
      {"ostane da vidi", "ostane da vidi"},
      {"može da ostane", "može ostati"},
      {"može da vidiš", "može da vidiš"},
      {"mogao sam ti bi da vidim", "mogao sam ti bi da vidim"},  // three clitics before da
      {"može da vidi extra", "može vidjeti extra"},
  };
  const ModalTable table = TestTable();
  ModalInfinitives rule(table);
  for (const auto& row : rows) {
    std::string line = Cp1250(row.in);
    rule.Apply(line);
    EXPECT_EQ(line, Cp1250(row.out)) << row.in;
  }
}

TEST(ModalInfinitives, AnEmptyTableChangesNothing) {
  const ModalTable table;
  ModalInfinitives rule(table);
  std::string line = Cp1250("može da vidi");
  rule.Apply(line);
  EXPECT_EQ(line, Cp1250("može da vidi"));
}

}  // namespace
}  // namespace lorvan
