// Reading a folder the way the run and the file lists see it: its subfolders and its regular
// files, each sorted in list order, entries whose names start with "." left out.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "common/status.h"

namespace lorvan {

struct FolderListing {
  std::vector<std::string> subfolders;  // bare names, in list order
  std::vector<std::string> files;       // bare names of regular files, in list order
  std::set<std::string> links;          // those of the names above that are symbolic links
};

// Reads folder once into *listing. A link counts as what it points to (and is named in links);
// a dangling link, or an entry that vanishes while the folder is read, is left out. An entry
// whose path is longer than the system can name makes the read fail.
Status ReadFolder(const std::string& folder, FolderListing* listing);

// Opens folder for reading and closes it again: Ok when ReadFolder could read it.
Status CheckFolderReadable(const std::string& folder);

// Orders names the way the lists show them: bytes with ASCII letters folded to small letters,
// ties broken by the raw bytes.
bool ListOrderLess(const std::string& a, const std::string& b);

}  // namespace lorvan
