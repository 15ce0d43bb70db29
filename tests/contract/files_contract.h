// The rules of the file and registry calls the settings rest on (a save leaves the old file
// or the new one and nothing beside it, a file another program holds is never replaced,
// names are found as the disk spells them), run against the fake file system (native unit
// tests) and the real one (the Windows tests under Wine).
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "platform/system.h"

namespace rimfold::contract {

// How another program holds a file open.
enum class Holder {
  Exclusive,             // reading, sharing nothing
  Reading,               // reading, sharing reads (a viewer)
  ReadingSharingWrites,  // reading, sharing reads and writes (a log tailer)
  Writing,               // reading and writing, sharing both (an editor keeping it open)
};

// One file system under test, with what another program can do to it.
class ContractFiles {
 public:
  virtual ~ContractFiles() = default;
  virtual ISystem& system() = 0;
  // An empty folder of its own, without a trailing backslash.
  virtual std::u16string folder() = 0;
  virtual void put(const std::u16string& path, const std::string& bytes) = 0;
  virtual std::optional<std::string> contentOf(const std::u16string& path) = 0;
  // The names of the files and folders in folder(), sorted.
  virtual std::vector<std::u16string> entries() = 0;
  virtual void hold(const std::u16string& path, Holder how) = 0;
  virtual void release(const std::u16string& path) = 0;
  // A per-user registry key of its own, absent at the start, and a binary value put into it.
  virtual std::u16string scratchKey() = 0;
  virtual void putBinaryValue(const std::u16string& value, const std::string& bytes) = 0;
};

struct FilesKind {
  const char* name;
  std::function<std::unique_ptr<ContractFiles>()> make;
  friend void PrintTo(const FilesKind& k, std::ostream* os) { *os << k.name; }
};

class FilesContract : public ::testing::TestWithParam<FilesKind> {
 protected:
  void SetUp() override { files_ = GetParam().make(); }
  ContractFiles& files() { return *files_; }
  ISystem& system() { return files_->system(); }
  std::u16string path(const std::u16string& name) { return files_->folder() + u"\\" + name; }

 private:
  std::unique_ptr<ContractFiles> files_;
};

std::string filesKindName(const ::testing::TestParamInfo<FilesKind>& info);

}  // namespace rimfold::contract
