// The core's window and file operations on the real platform, against windows and file
// handles that belong to a second process.
#include <windows.h>
#include <shlobj.h>

#include <cwctype>

#include <gtest/gtest.h>

#include "engine/window_facts.h"
#include "settings/window_keys.h"
#include "engine/process_path.h"
#include "engine/window_ops.h"
#include "platform/win32/win32_platform.h"
#include "settings/data_files.h"
#include "system/data_dir.h"
#include "win32/child_process.h"
#include "win32/temp_folder.h"
#include "win32/test_window.h"

namespace rimfold::win32::test {
namespace {

std::u16string upper(std::u16string s) {
  for (auto& c : s) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return s;
}

std::u16string folderOfExe() {
  std::wstring exe = ownExePath();
  return fromWide(exe.substr(0, exe.find_last_of(L'\\')));
}

class SecondProcessTest : public testing::Test {
 protected:
  // A child window in its own process; skips nothing: a child that does not come up fails.
  std::optional<ChildProcess> startWindow(const std::wstring& title, const std::wstring& exe = {}) {
    auto child = ChildProcess::start(L"window", {title}, exe);
    EXPECT_TRUE(child) << "child process did not come up";
    if (child) childWindow = findWindowOf(child->processId(), kChildWindowClass, title.c_str());
    EXPECT_TRUE(childWindow);
    return child;
  }

  Win32Platform real;
  Platform p = real.platform();
  HWND childWindow = nullptr;
};

TEST_F(SecondProcessTest, IdentityOfAnotherProcessWindowHasTheLongImagePath) {
  TempFolder temp;
  const std::wstring dir = temp.file(L"Long Folder Name");
  ASSERT_TRUE(::CreateDirectoryW(dir.c_str(), nullptr));
  const std::wstring copy = dir + L"\\Rimfold Child Copy.exe";
  ASSERT_TRUE(::CopyFileW(ownExePath().c_str(), copy.c_str(), TRUE));
  // Started under an all-lower-case spelling, Wine reports the path partly in that
  // spelling (it expands a short name itself, so that would prove nothing).
  std::wstring started = copy;
  for (auto& c : started) c = static_cast<wchar_t>(::towlower(c));

  auto child = startWindow(L"Identity \u00e9 test   ", started);
  ASSERT_TRUE(childWindow);
  const Hwnd w = fromHwnd(childWindow);
  KernelHandle process = p.system.openProcess(kProcessQueryInformationVmRead, child->processId());
  std::u16string reported;
  ASSERT_TRUE(p.system.getModuleFileNameEx(process, reported));
  p.system.closeHandle(process);
  ASSERT_NE(reported, fromWide(copy)) << "nothing left for the long form to do";

  const WindowIdentity id = WindowFacts(p, w).identity();
  EXPECT_EQ(id.Title, u"Identity \u00e9 test");  // trailing blanks trimmed
  EXPECT_EQ(id.ClassName, fromWide(kChildWindowClass));
  // Every component in the spelling on disk; the root stays as the process reported it.
  EXPECT_EQ(id.ImagePath, reported.substr(0, 3) + fromWide(copy).substr(3));
  EXPECT_EQ(exeNameOf(id.ImagePath), u"RIMFOLD CHILD COPY.EXE");
}

TEST_F(SecondProcessTest, DevicePathOfAnotherProcessTranslatesToItsDrivePath) {
  auto child = startWindow(L"Device path test");
  ASSERT_TRUE(child);
  KernelHandle process = p.system.openProcess(kProcessQueryInformationVmRead, child->processId());
  ASSERT_NE(process, 0u);
  std::u16string device, module;
  ASSERT_TRUE(p.system.getProcessImageFileName(process, device));
  ASSERT_TRUE(p.system.getModuleFileNameEx(process, module));
  p.system.closeHandle(process);
  ASSERT_EQ(device.rfind(u"\\Device\\", 0), 0u);
  const std::u16string translated = translateDevicePath(p, device);
  EXPECT_EQ(upper(translated), upper(module))
      << "device path " << std::string(device.begin(), device.end());
  EXPECT_EQ(upper(translated), upper(fromWide(ownExePath())));
}

TEST_F(SecondProcessTest, ForceForegroundBringsAnotherProcessWindowToTheFront) {
  auto child = startWindow(L"Foreground test");
  ASSERT_TRUE(childWindow);
  OwnWindow mine(OwnWindowDesc{.title = L"Foreground owner"});
  ::SetForegroundWindow(mine.hwnd());
  pumpMessages();
  ASSERT_EQ(::GetForegroundWindow(), mine.hwnd());
  std::uint32_t lockBefore = 0;
  ASSERT_TRUE(p.input.getForegroundLockTimeout(lockBefore));

  EXPECT_TRUE(Func_ForceForeground(p, fromHwnd(childWindow)));
  EXPECT_EQ(::GetForegroundWindow(), childWindow);
  std::uint32_t lockAfter = lockBefore + 1;
  ASSERT_TRUE(p.input.getForegroundLockTimeout(lockAfter));
  EXPECT_EQ(lockAfter, lockBefore);
  // Already in front: answered without changing anything.
  EXPECT_TRUE(Func_ForceForeground(p, fromHwnd(childWindow)));
}

TEST_F(SecondProcessTest, WindowUnderCursorIsAnotherProcessWindow) {
  auto child = startWindow(L"Cursor test");
  ASSERT_TRUE(childWindow);
  ASSERT_TRUE(::SetWindowPos(childWindow, HWND_TOPMOST, 400, 300, 500, 400, SWP_NOACTIVATE));
  RECT r{};
  ASSERT_TRUE(::GetWindowRect(childWindow, &r));
  const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  ASSERT_TRUE(::SetCursorPos(centre.x, centre.y));
  POINT now{};
  const ULONGLONG deadline = ::GetTickCount64() + 1000;
  while (::GetCursorPos(&now) && (now.x != centre.x || now.y != centre.y) &&
         ::GetTickCount64() < deadline) {
    ::Sleep(5);
  }
  EXPECT_EQ(Func_WindowUnderCursor(p), fromHwnd(childWindow));
  // Moved away from it, the cursor is over something else.
  ::SetWindowPos(childWindow, nullptr, 1200, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_NE(Func_WindowUnderCursor(p), fromHwnd(childWindow));
}

TEST_F(SecondProcessTest, DataFolderIsCreatedUnderRoamingApplicationData) {
  wchar_t appData[MAX_PATH] = {};
  ASSERT_EQ(::SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, appData), S_OK);
  const std::wstring folder = std::wstring(appData) + L"\\Quenbrook\\RimfoldWin32Test";
  ::RemoveDirectoryW(folder.c_str());
  ASSERT_EQ(::GetFileAttributesW(folder.c_str()), INVALID_FILE_ATTRIBUTES);

  for (int round = 0; round < 2; ++round) {  // creating, then finding it there
    SCOPED_TRACE(round);
    p.data.dir.clear();
    EXPECT_TRUE(Func_CreateDataDir(p, u"RimfoldWin32Test"));
    EXPECT_EQ(p.data.dir, fromWide(folder) + u"\\");
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    EXPECT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
  }
  ::RemoveDirectoryW(folder.c_str());
}

TEST_F(SecondProcessTest, SaveStringsToFileRefusesAFileAnotherProcessHoldsOpen) {
  TempFolder temp;
  const std::wstring path = temp.file(L"Disable.log");
  const std::string old = "\xFF\xFEo\0l\0d\0\r\0\n\0";
  const std::string oldBytes(old.data(), 12);
  const DWORD shareModes[] = {0, FILE_SHARE_READ};
  for (DWORD share : shareModes) {
    SCOPED_TRACE(share);
    ASSERT_TRUE(writeBytes(path, oldBytes));
    {
      auto holder = ChildProcess::start(L"lock", {path, std::to_wstring(share)});
      ASSERT_TRUE(holder) << "the child could not open the file";
      EXPECT_FALSE(SaveStringsToFile(p, {u"new"}, fromWide(path), TextEncoding::Utf16LE));
    }
    EXPECT_EQ(readBytes(path), oldBytes);
    EXPECT_EQ(temp.entries(), std::vector<std::wstring>{L"Disable.log"});
  }
  // Once the other process has let go, the same save goes through.
  ASSERT_TRUE(SaveStringsToFile(p, {u"new"}, fromWide(path), TextEncoding::Utf16LE));
  EXPECT_EQ(readBytes(path), std::string("\xFF\xFEn\0e\0w\0\r\0\n\0", 12));
}

TEST_F(SecondProcessTest, FileHelpersResetTheCurrentDirectoryToTheExecutableFolder) {
  TempFolder temp;
  const std::wstring path = temp.file(L"lines.txt");
  ASSERT_TRUE(writeBytes(path, "one\r\ntwo\r\n"));
  struct Case {
    const char* name;
    bool (*run)(Platform&, const std::u16string&);
  };
  const Case cases[] = {
      {"load existing",
       [](Platform& pl, const std::u16string& f) {
         StringList lines;
         return LoadStringsFromFile(pl, lines, f, std::nullopt) == 2;
       }},
      {"load missing",
       [](Platform& pl, const std::u16string& f) {
         StringList lines{u"stale"};
         return LoadStringsFromFile(pl, lines, f + u".missing", std::nullopt) == 0;
       }},
      {"save",
       [](Platform& pl, const std::u16string& f) {
         return SaveStringsToFile(pl, {u"a", u"b"}, f, TextEncoding::Ansi);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_TRUE(::SetCurrentDirectoryW(temp.path().c_str()));
    EXPECT_TRUE(c.run(p, fromWide(path)));
    EXPECT_EQ(upper(p.system.getCurrentDirectory()), upper(folderOfExe()));
  }
  EXPECT_EQ(readBytes(path), "a\r\nb\r\n");
}

}  // namespace
}  // namespace rimfold::win32::test
