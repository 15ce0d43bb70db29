// A fake desktop with a ready drive C: and the data folder, the platform pointing at it.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "fake/fake_desktop.h"
#include "settings/data_files.h"
#include "system/data_dir.h"

namespace rimfold::test {

inline constexpr char16_t kTestDataDir[] =
    u"C:\\users\\test\\AppData\\Roaming\\Quenbrook\\Rimfold\\";

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    p.data.dir = kTestDataDir;
    desk.setDrive(u'C', {u"\\Device\\HarddiskVolume1", true});
    desk.addDirectory(kTestDataDir);
  }

  // The bytes of a file in the data folder, "<none>" when it does not exist.
  std::string dataFile(const std::u16string& name) const {
    return desk.fileBytes(kTestDataDir + name).value_or("<none>");
  }

  FakeDesktop desk;
  Platform p = desk.platform();
};

}  // namespace rimfold::test
