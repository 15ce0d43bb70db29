// Files, processes, registry, versions and folders through the real kernel32 and shell32.
#include <windows.h>

#include <cwchar>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/win32/win32_shell.h"
#include "rtl/text_utils.h"
#include "platform/win32/win32_system.h"
#include "platform/win32/unique_handle.h"
#include "platform/win32/win32_convert.h"
#include "win32/temp_folder.h"

namespace rimfold::win32::test {
namespace {

std::u16string u16(const std::wstring& s) { return fromWide(s); }

std::u16string upper(std::u16string s) {
  for (auto& c : s) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return s;
}

bool endsWith(const std::u16string& s, std::u16string_view tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

class SystemTest : public testing::Test {
 protected:
  Win32System system;
  Win32Shell shell;
  TempFolder temp;
};

TEST_F(SystemTest, WriteFileReplacingResolvesARelativePath) {
  ASSERT_TRUE(::SetCurrentDirectoryW(temp.path().c_str()));
  ASSERT_TRUE(system.writeFileReplacing(u"relative.txt", "abc"));
  EXPECT_EQ(readBytes(temp.file(L"relative.txt")), "abc");
}

TEST_F(SystemTest, FullPathAndCurrentDirectory) {
  ASSERT_TRUE(system.setCurrentDirectory(u16(temp.path())));
  EXPECT_EQ(upper(system.getCurrentDirectory()), upper(u16(temp.path())));
  EXPECT_EQ(upper(system.getFullPathName(u"x\\..\\y.txt")), upper(u16(temp.file(L"y.txt"))));
  EXPECT_FALSE(system.setCurrentDirectory(u16(temp.file(L"missing"))));
  EXPECT_EQ(upper(system.getCurrentDirectory()), upper(u16(temp.path())));
}

TEST_F(SystemTest, DrivesAndDevices) {
  const std::uint32_t drives = system.getLogicalDrives();
  EXPECT_NE(drives & (1u << ('C' - 'A')), 0u);
  EXPECT_NE(drives & (1u << ('Z' - 'A')), 0u);
  EXPECT_TRUE(system.driveRootReady(u'C'));
  EXPECT_TRUE(system.driveRootReady(u'Z'));
  for (char16_t letter = u'D'; letter < u'Z'; ++letter) {
    if ((drives & (1u << (letter - u'A'))) == 0) {
      EXPECT_FALSE(system.driveRootReady(letter)) << static_cast<char>(letter);
      break;
    }
  }
  EXPECT_EQ(system.queryDosDevice(u"C:").rfind(u"\\Device\\", 0), 0u);
  EXPECT_NE(system.queryDosDevice(u"C:"), system.queryDosDevice(u"Z:"));
  EXPECT_EQ(system.queryDosDevice(u"NoSuchDevice9:"), u"");
}

TEST_F(SystemTest, OwnProcessPaths) {
  const std::u16string exe = system.getModuleFileName();
  EXPECT_TRUE(endsWith(upper(exe), u"\\RIMFOLD_WIN32_TESTS.EXE"))
      << std::string(exe.begin(), exe.end());
  KernelHandle process =
      system.openProcess(kProcessQueryInformationVmRead, ::GetCurrentProcessId());
  ASSERT_NE(process, 0u);
  std::u16string module, image;
  ASSERT_TRUE(system.getModuleFileNameEx(process, module));
  EXPECT_EQ(module, exe);
  ASSERT_TRUE(system.getProcessImageFileName(process, image));
  EXPECT_EQ(image.rfind(u"\\Device\\", 0), 0u);
  // The device path ends in the drive path's remainder.
  EXPECT_TRUE(endsWith(upper(image), upper(exe.substr(2))));
  system.closeHandle(process);
}

// Wine's token answers the integrity level: a process at this one's level is no higher, and a
// process that is not there cannot be told.
TEST_F(SystemTest, IntegrityLevelOfAProcess) {
  EXPECT_EQ(system.runsAtHigherIntegrity(::GetCurrentProcessId()), std::optional<bool>(false));
  EXPECT_EQ(system.runsAtHigherIntegrity(0xFFFFFFF0u), std::nullopt);
}

TEST_F(SystemTest, ProcessQueriesFailWithoutAProcess) {
  std::u16string out = u"unchanged";
  EXPECT_FALSE(system.getModuleFileNameEx(0, out));
  EXPECT_FALSE(system.getProcessImageFileName(0, out));
  EXPECT_EQ(out, u"unchanged");
  // Process ids are multiples of four; this one is never handed out.
  EXPECT_EQ(system.openProcess(kProcessQueryInformationVmRead, 0xFFFFFFF3u), 0u);
}

TEST_F(SystemTest, VersionSystemDirectoryAndBitness) {
  const OsVersion v = system.getVersion();
  EXPECT_GE(v.major, 6u);
  EXPECT_EQ(v.platformId, 2u);
  EXPECT_EQ(upper(system.getSystemDirectory()), u"C:\\WINDOWS\\SYSTEM32");
  // Wine here is 64-bit: the 32-bit build runs under WOW64, the 64-bit one never does.
  EXPECT_EQ(system.isWow64Process(), std::optional<bool>(sizeof(void*) == 4));
}

// Under WOW64 the redirection hides the 64-bit system folder; off, a file only it holds is
// seen, and on again, not.
TEST_F(SystemTest, RedirectionOffShowsTheNativeSystemFolder) {
  if (sizeof(void*) != 4) GTEST_SKIP() << "a 64-bit process sees it always";
  // Wine's 64-bit folder has the 64-bit loader's own dlls; the 32-bit one has no ntoskrnl.exe
  // either, so a file made for the test stands in.
  wchar_t windows[MAX_PATH];
  ASSERT_GT(::GetWindowsDirectoryW(windows, MAX_PATH), 0u);
  std::uint64_t saved = 0;
  ASSERT_TRUE(system.disableFsRedirection(saved));
  const std::wstring native = std::wstring(windows) + L"\\system32\\rf_native_only.txt";
  HANDLE f = ::CreateFileW(native.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(f, INVALID_HANDLE_VALUE);
  ::CloseHandle(f);
  const std::u16string path(native.begin(), native.end());
  EXPECT_TRUE(system.fileExists(path));
  ASSERT_TRUE(system.revertFsRedirection(saved));
  EXPECT_FALSE(system.fileExists(path));
  const std::u16string sysnative =
      std::u16string(windows, windows + std::wcslen(windows)) + u"\\Sysnative\\rf_native_only.txt";
  EXPECT_TRUE(system.fileExists(sysnative));
  ASSERT_TRUE(system.disableFsRedirection(saved));
  ::DeleteFileW(native.c_str());
  system.revertFsRedirection(saved);
}

// A string value another program stored without its terminating NUL reads whole (the rest
// of the per-user registry's rules are in the files contract).
TEST_F(SystemTest, AStringValueStoredWithoutItsNulReadsWhole) {
  const std::u16string key = u"Software\\Quenbrook\\RimfoldTest";
  HKEY hkey = nullptr;
  ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, wide(key), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &hkey, nullptr),
            ERROR_SUCCESS);
  ::RegSetValueExW(hkey, L"Unended", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"abc"), 6);
  ::RegCloseKey(hkey);
  EXPECT_EQ(system.readHkcuString(key, u"Unended"), u"abc");
  ::RegDeleteTreeW(HKEY_CURRENT_USER, wide(key));
}

TEST_F(SystemTest, RegistryDwordsOfTheMachineHive) {
  const std::u16string policies = u"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\System";
  struct Case {
    std::u16string key, value;
    std::optional<std::uint32_t> expected;
  };
  const Case cases[] = {
      {policies, u"EnableLUA", 0u},
      {u"\\" + policies, u"EnableLUA", 0u},  // the leading backslash of the settings text
      {policies, u"NoSuchValue", std::nullopt},
      {u"Software\\No\\Such\\Key", u"EnableLUA", std::nullopt},
      // A string value is not a DWORD.
      {u"Software\\Microsoft\\Windows NT\\CurrentVersion", u"CurrentVersion", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.value.begin(), c.value.end()));
    EXPECT_EQ(system.readHklmDword(c.key, c.value), c.expected);
  }
}

TEST_F(SystemTest, RoamingApplicationDataFolder) {
  const std::u16string appData = shell.getFolderPath(kCsidlAppData);
  EXPECT_TRUE(endsWith(upper(appData), u"\\APPDATA\\ROAMING"))
      << std::string(appData.begin(), appData.end());
  EXPECT_TRUE(system.directoryExists(appData));
  EXPECT_EQ(appData.find(u'\0'), std::u16string::npos);
}

// The core folds case as the system compares names: every code unit of the BMP equals its
// folded form, and words of several scripts compare alike both ways.
TEST(CaseFolding, AgreesWithCompareStringOrdinal) {
  const auto systemEqual = [](std::u16string_view a, std::u16string_view b) {
    return ::CompareStringOrdinal(wide(std::u16string(a)), static_cast<int>(a.size()),
                                  wide(std::u16string(b)), static_cast<int>(b.size()),
                                  TRUE) == CSTR_EQUAL;
  };
  int disagreements = 0;
  for (char32_t c = 1; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    const std::u16string unit(1, static_cast<char16_t>(c));
    const std::u16string folded(1, foldCaseChar(static_cast<char16_t>(c)));
    if (!systemEqual(unit, folded) && ++disagreements <= 10) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<unsigned>(c) << " and its folded U+"
                    << static_cast<unsigned>(folded[0]);
    }
  }
  EXPECT_EQ(disagreements, 0);
  const std::u16string words[] = {
      u"notepad.exe", u"NOTEPAD.EXE", u"окно", u"ОКНО", u"Окно", u"αβγς", u"ΑΒΓΣ", u"łódź", u"ŁÓDŹ",
      u"ß",           u"SS",          u"і",    u"I",    u"ı",    u"i",    u"ǅ",    u"ǆ",    u"ſ",
      u"s",           u"\u212A",      u"k",    u"ａｚ", u"ＡＺ", u"Ա",    u"ա",    u"ÿ",    u"Ÿ"};
  for (const std::u16string& a : words) {
    for (const std::u16string& b : words) {
      EXPECT_EQ(equalsIgnoreCase(a, b), systemEqual(a, b))
          << utf16ToUtf8(a) << " / " << utf16ToUtf8(b);
    }
  }
}

}  // namespace
}  // namespace rimfold::win32::test
