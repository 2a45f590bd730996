#include "engine/links.h"

#include <gtest/gtest.h>

#include "dictionary/dictionary_loader.h"
#include "encoding/convert.h"
#include "engine/line_translator.h"
#include "engine/substitutions.h"

namespace lorvan {
namespace {

// text with the UTF-8 forms of the Croatian letters as Windows-1250 bytes.
std::string W(std::string_view text) {
  std::string bytes(text);
  return ConvertEncoding(bytes, /*from_utf8=*/true);
}

Dictionary LinkDictionary() {
  Dictionary dictionary;
  DictionaryLoader loader(&dictionary);
  for (const char* pair : {"primer\tprimjer", "gde\tgdje", "lepo\tlijepo", "vreme\tvrijeme",
                           "dete\tdijete", "sledeća\tsljedeća"})
    loader.AddWordPair(W(pair));
  // A group that holds its pair back unless "lijepo" is in the line, a pair that matches
  // inside words, and a name.
  dictionary.phrases = {{"#lijepo", "1"}, {"vrijeme", "doba"}, {"share", "dio"}};
  dictionary.names = {{"Pera", "Petar"}};
  return dictionary;
}

TEST(Links, AreCopiedUnchangedOutsideTagsUnlessTranslated) {
  const struct {
    bool skip_links;
    bool skip_tags;
    const char* in;
    const char* out;
  } cases[] = {
      // Each kind of link, at the line's start, inside it and at its end.
      {true, true, "primer.rs/gde-je-lepo-vreme gde", "primer.rs/gde-je-lepo-vreme gdje"},
      {true, true, "gde je http://primer.rs/gde?x=lepo", "gdje je http://primer.rs/gde?x=lepo"},
      {true, true, "(gde: www.primer.com/lepo).", "(gdje: www.primer.com/lepo)."},
      {true, true, "ftp://primer.org/dete, HTTPS://Lepo.info",
       "ftp://primer.org/dete, HTTPS://Lepo.info"},
      {true, true, "\"dete@primer.rs\" dete", "\"dete@primer.rs\" dijete"},
      {true, true, "/usr/share/dete i share", "/usr/share/dete i dio"},
      {true, true, "C:\\dete\\lepo.txt ./dete/lepo ~/dete dete",
       "C:\\dete\\lepo.txt ./dete/lepo ~/dete dijete"},
      {true, true, "primer.rs:8080 gde", "primer.rs:8080 gdje"},
      // A preposition before a link takes its form before a non-word.
      {true, true, "sa dete@primer.rs i S /usr/share", "s dete@primer.rs i S /usr/share"},
      // Not links: a missing space after a full stop, numbers, slashes between words, a name
      // ending in no known domain or in one written in capitals.
      {true, true, "kraj rečenice.Sledeća", "kraj rečenice.Sljedeća"},
      {true, true, "lepo je 3.14 dete/gde", "lijepo je 3.14 dijete/gdje"},
      {true, true, "dete.lepo primer.RS", "dijete.lijepo primjer.RS"},
      // Tags: a link after a tag; a link inside a tag that is translated.
      {true, true, "<a href=\"x\">primer.rs/dete</a> dete",
       "<a href=\"x\">primer.rs/dete</a> dijete"},
      {true, false, "<img src=\"/slike/dete.png\" alt=\"dete\">",
       "<img src=\"/slike/dete.png\" alt=\"dijete\">"},
      // A tag left open to the line's end takes a link in it along.
      {true, true, "gde <p, www.primer.com, gde", "gdje <p, www.primer.com, gde"},
      // The passes see the text around links as one line: a group key before a link holds
      // for a pair after it, and neither a phrase nor a name reaches into a link.
      {true, true, "lepo je primer.rs/vrijeme a vreme", "lijepo je primer.rs/vrijeme a doba"},
      {true, true, "Pera i Pera.com", "Petar i Pera.com"},
      // With links translated, everything is as before.
      {false, true, "primer.rs/gde-je-lepo-vreme", "primjer.rs/gdje-je-lijepo-doba"},
      {false, true, "dete@primer.rs i Pera.com", "dijete@primjer.rs i Petar.com"},
  };
  const Dictionary dictionary = LinkDictionary();
  DictionarySubstitutions substitutions(dictionary);
  for (const auto& c : cases) {
    LineTranslator translator(
        substitutions,
        {.skip_tags = c.skip_tags, .utf8_letters = false, .skip_links = c.skip_links});
    FolderPassState state;
    EXPECT_EQ(translator.Translate(W(c.in), state), W(c.out)) << c.in;
  }
}

}  // namespace
}  // namespace lorvan
