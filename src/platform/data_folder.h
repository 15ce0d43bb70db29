// What a run knows of its per-user data folder, owned by the platform it runs on.
#pragma once

#include <set>
#include <string>

namespace rimfold {

struct DataFolder {
  // With a trailing backslash; empty until the folder is made at start.
  std::u16string dir;
  // Files that could not be read this run: never written over, since what the program
  // used instead is not what they hold. Logged once each, as are oversized files.
  std::set<std::u16string> unreadable;
  std::set<std::u16string> oversized;
};

}  // namespace rimfold
