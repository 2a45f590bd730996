// The six options of a run, as the option boxes of the window set them.
#pragma once

namespace lorvan {

struct RunSettings {
  bool cyrillic = false;      // translate Serbian Cyrillic in UTF-8, write UTF-8 back
  bool convert_only = false;  // transliterate Cyrillic to Latin without translating ("_sr")
  bool skip_tags = true;      // leave the text inside HTML tags untranslated
  bool subfolders = false;    // also translate what lies in all subfolders
  bool same_name = false;     // write the result over the input instead of a "_hr" file
  bool paragraphs = true;     // break lines after closing paragraph tags
};

}  // namespace lorvan
