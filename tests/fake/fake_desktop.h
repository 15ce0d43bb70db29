// A simulated desktop behind every platform interface, for the core's unit tests and
// benchmarks. It copies the Win32 behaviours the core relies on (monitor-from-point on
// exclusive edges, nearest monitor, parked minimized rectangles, work area of the primary)
// and counts every platform call.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "platform/platform.h"

namespace rimfold::test {

// One entry per interface method; the counters are indexed by it.
enum class Op : std::uint8_t {
  // IWindowManager
  EnumWindows,
  ListTopWindows,
  GetWindowRect,
  GetVisibleFrame,
  IsCloaked,
  IsWindowVisible,
  IsWindowEnabled,
  IsIconic,
  IsZoomed,
  RespondsWithin,
  GetWindowTextLength,
  GetWindowText,
  GetClassName,
  GetStyle,
  GetExStyle,
  GetParent,
  WindowFromPoint,
  GetForegroundWindow,
  SetForegroundWindow,
  BringWindowToTop,
  GetDesktopWindow,
  GetWindowThreadProcessId,
  AttachThreadInput,
  MoveWindow,
  ShowWindowAsync,
  FindWindowEx,
  MessageBox,
  SetWindowText,
  SendClose,
  SendCommand,
  EnumDisplayMonitors,
  GetMonitorInfo,
  MonitorFromWindow,
  MonitorFromPoint,
  // IInput
  GetAsyncKeyState,
  GetCursorPos,
  GetSystemMetrics,
  GetWorkArea,
  GetForegroundLockTimeout,
  SetForegroundLockTimeout,
  GetDragFullWindows,
  SetDragFullWindows,
  GetScreenSaverRunning,
  GetNonClientBorderWidth,
  GetBorder,
  KeybdEvent,
  KeyNameText,
  // IShell
  GetFolderPath,
  GetTaskbarPos,
  IsUserAnAdmin,
  ShellExecute,
  ShellExecuteEx,
  // ISystem
  OpenProcess,
  CloseHandle,
  GetModuleFileNameEx,
  GetProcessImageFileName,
  GetLogicalDrives,
  QueryDosDevice,
  RunsAtHigherIntegrity,
  GetVersion,
  GetSystemDirectory,
  IsWow64Process,
  DisableFsRedirection,
  RevertFsRedirection,
  CreateDirectory,
  DirectoryExists,
  FileExists,
  DriveRootReady,
  GetFullPathName,
  FindFileName,
  ReadFile,
  CanOpenExclusive,
  WriteFileReplacing,
  DeleteFile,
  FindFiles,
  SetCurrentDirectory,
  GetCurrentDirectory,
  GetModuleFileName,
  ReadHklmDword,
  ReadHkcu,
  WriteHkcu,
  DeleteHkcu,
  // IClock
  NowMilliseconds,
  Sleep,
  LocalTime,
  FormatShortDate,
  FormatLongTime,
  // ICodePage
  AnsiToUtf16,
  Utf16ToAnsi,
  Count
};
inline constexpr std::size_t kOpCount = static_cast<std::size_t>(Op::Count);

// A window as a test describes it. Flags the style also carries (visible, disabled,
// maximized) are kept in step: getStyle reports them from the flags.
struct FakeWindow {
  Hwnd handle = 0;  // 0: the fake picks one
  TRect rect{100, 100, 500, 400};
  std::uint32_t style = kWsOverlappedWindow;
  std::uint32_t exStyle = 0;
  std::u16string title = u"Window";
  std::u16string className = u"FakeClass";
  std::uint32_t processId = 1000;
  std::uint32_t threadId = 2000;
  Hwnd parent = 0;  // a child window: not top-level, not enumerated
  bool visible = true;
  bool enabled = true;
  bool iconic = false;  // reports the parked rectangle; rect stays the restored one
  bool zoomed = false;
  bool hung = false;          // its thread takes no messages: it answers nothing in time
  bool styleAsGiven = false;  // report style verbatim, without the flag bits
  // Placement behaviours.
  bool refusesMoves = false;  // MoveWindow answers true and nothing changes
  std::int32_t minWidth = 0;  // the window enforces a minimum track size
  std::int32_t minHeight = 0;
  TPoint moveOffset{};  // every move lands this far off the requested box
  std::function<WindowBox(const WindowBox&)> alterMove{};  // applied after the above
  bool vanishOnMove = false;  // destroyed by its first move (the move fails)
  // Destroyed once this many further platform calls (of any kind) have been made.
  std::int64_t vanishAfterCalls = -1;
  bool placeAtBottom = false;  // addWindow puts it at the bottom of its band
  // Windows 10's window manager (see FakeDesktop::setWindowManager): the invisible part of
  // the rectangle on each side, as Left, Top, Right, Bottom widths, and the cloak.
  TRect invisibleBorders{};
  bool cloaked = false;
  // Arriving on a monitor of another DPI it scales its size by the ratio (WM_DPICHANGED),
  // keeping its top-left corner.
  bool rescalesOnDpi = false;
};

struct FakeMonitor {
  Hmonitor handle = 0;  // 0: the fake picks one
  TRect bounds{};
  TRect work{};  // empty (all 0): same as bounds
  bool primary = false;
  int dpi = 96;  // the per-monitor metrics scale with it
};

struct FakeProcess {
  std::optional<std::u16string> moduleFileName{};  // GetModuleFileNameEx; nullopt: it fails
  std::optional<std::u16string> imageFileName{};   // GetProcessImageFileName (device path)
  bool openFails = false;                          // e.g. an elevated process
  std::optional<bool> higherIntegrity{};           // runsAtHigherIntegrity; nullopt: unknown
};

struct FakeDrive {
  std::u16string device{};  // QueryDosDevice target, e.g. \Device\HarddiskVolume1
  bool ready = true;        // false: an empty removable drive
};

// How another program holds a file: open for reading and sharing reads; open for writing
// and sharing reads and writes (our reads, which share reads only, are refused too); open
// sharing nothing.
enum class FileLock { None, OpenShared, OpenForWriting, Exclusive };

struct ShellExecuteCall {
  bool ex = false;
  Hwnd owner = 0;
  std::u16string verb, file, parameters, directory;
  int showCommand = 0;
};

struct KeybdEventCall {
  std::uint8_t virtualKey = 0;
  bool keyUp = false;
  friend bool operator==(const KeybdEventCall&, const KeybdEventCall&) = default;
};

// What happens while a message box is open. whileOpen runs inside the box's modal loop with
// the box on the desktop (class "#32770", the caption as title): timer ticks and nested
// messages a test plays there happen while the box is up, and may close it. A box still
// open afterwards is answered with `answer`, or with its first button when that is 0.
struct FakeMessageBox {
  std::function<void(Hwnd box)> whileOpen{};
  int answer = 0;
};

struct MessageBoxCall {
  Hwnd owner = 0;
  Hwnd box = 0;
  std::u16string text;
  std::vector<std::u16string> captions;  // as shown, then every rename while it was open
  std::uint32_t style = 0;
  int result = 0;  // 0 while it is open
};

struct AttachCall {
  std::uint32_t thread = 0, toThread = 0;
  bool attach = false;
  friend bool operator==(const AttachCall&, const AttachCall&) = default;
};

class FakeDesktop final : public IWindowManager,
                          public IInput,
                          public IShell,
                          public ISystem,
                          public IClock,
                          public ICodePage {
 public:
  static constexpr Hwnd kDesktopHwnd = 0x10010;
  static constexpr std::uint32_t kOwnThreadId = 1;

  FakeDesktop();
  ~FakeDesktop() override;

  Platform platform() { return Platform{*this, *this, *this, *this, *this, *this, data_}; }

  // ---- call counting ----
  std::uint64_t calls(Op op) const { return calls_[static_cast<std::size_t>(op)]; }
  std::uint64_t totalCalls() const { return total_; }
  void resetCalls();

  // ---- windows ----
  Hwnd addWindow(const FakeWindow& w);
  void destroyWindow(Hwnd w);
  bool exists(Hwnd w) const;
  FakeWindow& window(Hwnd w);  // direct access for tests; the window must exist
  // The stored (restored) rectangle, whatever the window reports.
  TRect rectOf(Hwnd w) const;
  void raise(Hwnd w);                // top of its band
  void lower(Hwnd w);                // bottom of its band
  std::vector<Hwnd> zOrder() const;  // top-level windows, topmost first
  void setForeground(Hwnd w) { foreground_ = w; }
  // SetForegroundWindow fails unless a thread attachment to the foreground thread is
  // active or the foreground lock time-out is 0.
  void setForegroundLocked(bool on) { foregroundLocked_ = on; }
  void setAttachFails(bool on) { attachFails_ = on; }
  const std::vector<AttachCall>& attachLog() const { return attachLog_; }
  std::vector<WindowBox> moveLog(Hwnd w) const;  // requested boxes, in order
  // Off (as on Wine, Vista and 7 without composition): getVisibleFrame answers false and no
  // window is cloaked. On (Windows 10): the frame is the rectangle less its invisible borders.
  void setWindowManager(bool on) { windowManager_ = on; }
  // The rectangle as the user sees it, whatever the window manager reports.
  TRect visibleFrameOf(Hwnd w) const;

  // ---- message boxes ----
  // Scripts are taken in the order the boxes are shown; a box without one is answered
  // with its first button at once.
  void scriptMessageBox(FakeMessageBox script) { boxScripts_.push_back(std::move(script)); }
  const std::vector<MessageBoxCall>& messageBoxLog() const { return boxLog_; }

  // ---- monitors ----
  Hmonitor addMonitor(const FakeMonitor& m);
  void setMonitors(const std::vector<FakeMonitor>& monitors);  // replaces all
  void removeMonitor(Hmonitor m);
  void setMonitorDpi(Hmonitor m, int dpi);
  void setWorkArea(Hmonitor m, const TRect& work);
  void setMonitorBounds(Hmonitor m, const TRect& bounds);
  const std::vector<FakeMonitor>& monitors() const { return monitors_; }

  // ---- input ----
  void setKeyDown(int virtualKey, bool down);
  void setKeyState(int virtualKey, std::int16_t state);
  void setCursorPos(TPoint p) { cursor_ = p; }
  void setCursorPosFails(bool on) { cursorFails_ = on; }
  void setSystemMetric(int index, int value);  // overrides the computed value
  void setLockTimeoutValue(std::uint32_t v) { lockTimeout_ = v; }
  std::uint32_t foregroundLockTimeout() const { return lockTimeout_; }
  const std::vector<std::uint32_t>& lockTimeoutSets() const { return lockTimeoutSets_; }
  bool dragFullWindows() const { return dragFullWindows_; }
  void setDragFullWindowsValue(bool on) { dragFullWindows_ = on; }
  void setScreenSaverRunning(bool on) { screenSaver_ = on; }
  void setNonClientBorderWidth(int w) { borderWidth_ = w; }
  void setBorder(int b) { border_ = b; }
  const std::vector<KeybdEventCall>& keybdLog() const { return keybdLog_; }
  // The system's key names for keys the program does not name itself.
  void setKeyName(int virtualKey, std::u16string name) { keyNames_[virtualKey] = std::move(name); }

  // ---- shell ----
  void setFolderPath(int csidl, std::u16string path) { folders_[csidl] = std::move(path); }
  void setTaskbar(TaskbarEdge edge, const TRect& rect, bool answers = true);
  void setUserIsAdmin(bool on) { isAdmin_ = on; }
  void setShellExecuteExResult(bool ok) { shellExecuteExResult_ = ok; }
  const std::vector<ShellExecuteCall>& shellExecuteLog() const { return shellLog_; }

  // ---- processes ----
  void setProcess(std::uint32_t pid, FakeProcess p) { processes_[pid] = std::move(p); }
  int openHandleCount() const { return static_cast<int>(openHandles_.size()); }
  const std::vector<std::uint32_t>& openProcessAccessLog() const { return openAccessLog_; }

  // ---- drives and files ----
  // A drive letter (upper case). Adding a ready drive creates its root directory.
  void setDrive(char16_t letter, FakeDrive d);
  void removeDrive(char16_t letter);
  void addDirectory(const std::u16string& path);                // with every missing parent
  void addFile(const std::u16string& path, std::string bytes);  // parents created
  void removeFile(const std::u16string& path);
  std::optional<std::string> fileBytes(const std::u16string& path) const;
  // The names of the files and folders in a folder, as spelled, sorted by their keys.
  std::vector<std::u16string> namesIn(const std::u16string& folder) const;
  // forMs: the other program lets go once that much clock time has passed (-1: never).
  void lockFile(const std::u16string& path, FileLock lock, std::int64_t forMs = -1);
  // A short (8.3) spelling for an existing path, e.g. C:\PROGRA~1 for C:\Program Files.
  void addShortName(const std::u16string& shortPath, const std::u16string& longPath);
  void setFailCreateDirectory(const std::u16string& path);  // creation of path fails
  void setWritesFail(bool on) { writesFail_ = on; }
  int writeCount() const { return writeCount_; }
  // fileExists/readFile/canOpenExclusive on a drive that is not ready: each would have
  // shown the system's "insert a disk" dialog.
  int diskPrompts() const { return diskPrompts_; }
  void setModuleFileName(std::u16string path) { moduleFileName_ = std::move(path); }
  void setCurrentDirectoryValue(std::u16string path) { currentDirectory_ = std::move(path); }

  // ---- versions, bitness, registry ----
  void setVersion(std::uint32_t major, std::uint32_t minor, std::uint32_t build = 0);
  void setSystemDirectory(std::u16string dir) { systemDirectory_ = std::move(dir); }
  void setWow64Process(std::optional<bool> v) { wow64_ = v; }
  bool fsRedirectionDisabled() const { return redirectionDepth_ > 0; }
  // key without the leading backslash, e.g. Software\...\System
  void setHklmDword(const std::u16string& key, const std::u16string& value, std::uint32_t v);
  void removeHklmValue(const std::u16string& key, const std::u16string& value);
  // HKEY_CURRENT_USER: a value of another type than a string is kept as its bytes.
  void setHkcuBytes(const std::u16string& key, const std::u16string& value, std::string bytes);
  void setHkcuWritesFail(bool fail) { hkcuWritesFail_ = fail; }

  // ---- clock ----
  void setNow(std::int64_t ms) { now_ = ms; }
  void advance(std::int64_t ms) { now_ += ms; }
  // The raw counter runs at kFakeTicksPerSecond; this moves it by less than a millisecond.
  void advanceTicks(std::int64_t ticks) { subTicks_ += ticks; }
  static constexpr std::int64_t kFakeTicksPerSecond = 10'000'000;
  void setLocalTime(const LocalTime& t) { localTime_ = t; }
  const std::vector<std::uint32_t>& sleepLog() const { return sleepLog_; }

  // ================= IWindowManager =================
  void enumWindows(FunctionRef<bool(Hwnd)> callback) override;
  void listTopWindows(std::vector<Hwnd>& out) override;
  bool getWindowRect(Hwnd w, TRect& out) override;
  bool getVisibleFrame(Hwnd w, TRect& out) override;
  bool isCloaked(Hwnd w) override;
  bool isWindowVisible(Hwnd w) override;
  bool isWindowEnabled(Hwnd w) override;
  bool isIconic(Hwnd w) override;
  bool isZoomed(Hwnd w) override;
  bool respondsWithin(Hwnd w, std::uint32_t timeoutMs) override;
  int getWindowTextLength(Hwnd w) override;
  std::u16string getWindowText(Hwnd w) override;
  std::u16string getClassName(Hwnd w) override;
  std::uint32_t getStyle(Hwnd w) override;
  std::uint32_t getExStyle(Hwnd w) override;
  Hwnd getParent(Hwnd w) override;
  Hwnd windowFromPoint(TPoint p) override;
  Hwnd getForegroundWindow() override;
  bool setForegroundWindow(Hwnd w) override;
  bool bringWindowToTop(Hwnd w) override;
  Hwnd getDesktopWindow() override;
  std::uint32_t getWindowThreadProcessId(Hwnd w, std::uint32_t* processId) override;
  bool attachThreadInput(std::uint32_t thread, std::uint32_t toThread, bool attach) override;
  bool moveWindow(Hwnd w, const WindowBox& box, bool repaint) override;
  bool showWindowAsync(Hwnd w, ShowCommand command) override;
  Hwnd findWindowEx(Hwnd parent, Hwnd childAfter, const char16_t* className,
                    const char16_t* title) override;
  int messageBox(Hwnd owner, const std::u16string& text, const std::u16string& caption,
                 std::uint32_t style) override;
  bool setWindowText(Hwnd w, const std::u16string& text) override;
  void sendClose(Hwnd w) override;
  void sendCommand(Hwnd w, int id) override;
  void enumDisplayMonitors(std::vector<Hmonitor>& out) override;
  bool getMonitorInfo(Hmonitor m, MonitorInfo& out) override;
  Hmonitor monitorFromWindow(Hwnd w, MonitorDefault fallback) override;
  Hmonitor monitorFromPoint(TPoint p, MonitorDefault fallback) override;

  // ================= IInput =================
  std::int16_t getAsyncKeyState(int virtualKey) override;
  bool getCursorPos(TPoint& out) override;
  int getSystemMetrics(int index) override;
  // Caption-button and frame sizes scaled to the DPI of the window's nearest monitor.
  int getSystemMetricsForWindow(int index, Hwnd w) override;
  bool getWorkArea(TRect& out) override;
  bool getForegroundLockTimeout(std::uint32_t& out) override;
  bool setForegroundLockTimeout(std::uint32_t value) override;
  bool getDragFullWindows(bool& out) override;
  bool setDragFullWindows(bool on) override;
  bool getScreenSaverRunning(bool& out) override;
  bool getNonClientBorderWidth(std::uint32_t structSize, int& out) override;
  bool getBorder(int& out) override;
  void keybdEvent(std::uint8_t virtualKey, bool keyUp) override;
  std::u16string keyNameText(int virtualKey) override;

  // ================= IShell =================
  std::u16string getFolderPath(int csidl) override;
  bool getTaskbarPos(TaskbarEdge& edge, TRect& rect) override;
  bool isUserAnAdmin() override;
  void shellExecute(Hwnd owner, const std::u16string& file, const std::u16string& parameters,
                    const std::u16string& directory, int showCommand) override;
  bool shellExecuteEx(Hwnd owner, const std::u16string& verb, const std::u16string& file,
                      const std::u16string& parameters, int showCommand) override;

  // ================= ISystem =================
  KernelHandle openProcess(std::uint32_t access, std::uint32_t processId) override;
  void closeHandle(KernelHandle h) override;
  bool getModuleFileNameEx(KernelHandle process, std::u16string& out) override;
  bool getProcessImageFileName(KernelHandle process, std::u16string& out) override;
  std::uint32_t getLogicalDrives() override;
  std::u16string queryDosDevice(const std::u16string& device) override;
  std::optional<bool> runsAtHigherIntegrity(std::uint32_t processId) override;
  OsVersion getVersion() override;
  std::u16string getSystemDirectory() override;
  std::optional<bool> isWow64Process() override;
  bool disableFsRedirection(std::uint64_t& saved) override;
  bool revertFsRedirection(std::uint64_t saved) override;
  bool createDirectory(const std::u16string& path) override;
  bool directoryExists(const std::u16string& path) override;
  bool fileExists(const std::u16string& path) override;
  bool driveRootReady(char16_t upperLetter) override;
  std::u16string getFullPathName(const std::u16string& path) override;
  std::optional<std::u16string> findFileName(const std::u16string& path) override;
  ReadResult readFile(const std::u16string& path, std::string& bytes,
                      std::uint64_t maxBytes) override;
  bool canOpenExclusive(const std::u16string& path) override;
  bool writeFileReplacing(const std::u16string& path, std::string_view bytes) override;
  bool deleteFile(const std::u16string& path) override;
  std::vector<std::u16string> findFiles(const std::u16string& folder,
                                        const std::u16string& pattern) override;
  bool setCurrentDirectory(const std::u16string& path) override;
  std::u16string getCurrentDirectory() override;
  std::u16string getModuleFileName() override;
  std::optional<std::uint32_t> readHklmDword(const std::u16string& key,
                                             const std::u16string& value) override;
  std::optional<std::u16string> readHkcuString(const std::u16string& key,
                                               const std::u16string& value) override;
  std::optional<std::string> readHkcuBytes(const std::u16string& key,
                                           const std::u16string& value) override;
  bool writeHkcuString(const std::u16string& key, const std::u16string& value,
                       const std::u16string& text) override;
  bool deleteHkcuValue(const std::u16string& key, const std::u16string& value) override;

  // ================= IClock =================
  std::int64_t nowMilliseconds() override;
  std::int64_t nowTicks() override;
  std::int64_t ticksPerSecond() override;
  void sleep(std::uint32_t milliseconds) override;
  LocalTime localTime() override;
  std::u16string formatShortDate(const LocalTime& t) override;
  std::u16string formatLongTime(const LocalTime& t) override;

  // ================= ICodePage =================
  std::u16string ansiToUtf16(std::string_view bytes) const override;
  std::string utf16ToAnsi(std::u16string_view text) const override;

 private:
  DataFolder data_;
  struct WindowRec {
    FakeWindow w;
    std::int64_t vanishAt = -1;  // total call count at which it is destroyed
    std::vector<WindowBox> moves;
  };
  struct FileRec {
    std::u16string spelling;  // full path as created
    std::string bytes;
    FileLock lock = FileLock::None;
    std::int64_t lockEnds = -1;  // clock time at which the lock lifts
  };
  FileLock lockOf(const FileRec& f) const;  // a timed lock has ended at its time

  void count(Op op) const {
    ++calls_[static_cast<std::size_t>(op)];
    ++total_;
  }
  // Counts a call and destroys the windows whose time has come.
  void tick(Op op) {
    count(op);
    if (nextVanish_ >= 0 && static_cast<std::int64_t>(total_) >= nextVanish_) vanishDue();
  }
  void vanishDue();
  MessageBoxCall* openBox(Hwnd w);
  void closeBox(MessageBoxCall& call, int result);
  WindowRec* find(Hwnd w);
  const WindowRec* find(Hwnd w) const;
  void place(Hwnd w, bool top);
  bool visibleChain(const WindowRec& r) const;
  Hwnd childAt(Hwnd parent, TPoint p) const;
  const FakeMonitor* monitorByHandle(Hmonitor m) const;
  const FakeMonitor* primaryMonitor() const;
  Hmonitor monitorFromRect(const TRect& r, MonitorDefault fallback) const;
  TRect virtualScreen() const;

  // Paths: keys are case-folded, resolved through the short-name aliases.
  std::u16string resolve(const std::u16string& path) const;
  static std::u16string keyOf(std::u16string_view path);
  static std::u16string parentOf(const std::u16string& path);
  bool driveOfPathReady(const std::u16string& path) const;

  mutable std::array<std::uint64_t, kOpCount> calls_{};
  mutable std::uint64_t total_ = 0;
  std::int64_t nextVanish_ = -1;  // smallest vanishAt, -1 when none

  std::unordered_map<Hwnd, WindowRec> windows_;
  std::vector<Hwnd> zOrder_;  // every window, topmost first
  // EnumWindows works on a snapshot; buffers are kept per nesting depth so that a
  // warmed-up enumeration does not allocate.
  std::vector<std::vector<Hwnd>> enumBuffers_;
  std::size_t enumDepth_ = 0;
  Hwnd nextHandle_ = 0x20000;
  Hwnd foreground_ = 0;
  bool foregroundLocked_ = false;
  bool windowManager_ = false;
  bool attachFails_ = false;
  std::vector<AttachCall> attachLog_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> activeAttach_;

  std::vector<FakeMessageBox> boxScripts_;
  std::vector<MessageBoxCall> boxLog_;

  std::vector<FakeMonitor> monitors_;
  Hmonitor nextMonitor_ = 0x10001;

  std::array<std::int16_t, 256> keys_{};
  TPoint cursor_{};
  bool cursorFails_ = false;
  std::array<std::optional<int>, 128> metricOverrides_{};
  std::uint32_t lockTimeout_ = 0;
  std::vector<std::uint32_t> lockTimeoutSets_;
  bool dragFullWindows_ = false;
  bool screenSaver_ = false;
  int borderWidth_ = 1;
  int border_ = 1;
  std::vector<KeybdEventCall> keybdLog_;
  std::map<int, std::u16string> keyNames_;

  std::map<int, std::u16string> folders_;
  // Until setTaskbar: the strip the primary monitor's work area leaves out, as the shell's.
  bool taskbarSet_ = false;
  bool taskbarAnswers_ = true;
  TaskbarEdge taskbarEdge_ = TaskbarEdge::Bottom;
  TRect taskbarRect_{};
  bool isAdmin_ = false;
  bool shellExecuteExResult_ = true;
  std::vector<ShellExecuteCall> shellLog_;

  std::map<std::uint32_t, FakeProcess> processes_;
  std::map<KernelHandle, std::uint32_t> openHandles_;  // handle -> pid
  KernelHandle nextKernelHandle_ = 0x100;
  std::vector<std::uint32_t> openAccessLog_;

  std::map<char16_t, FakeDrive> drives_;
  std::map<std::u16string, FileRec> files_;              // key -> file
  std::map<std::u16string, std::u16string> dirs_;        // key -> spelling
  std::map<std::u16string, std::u16string> shortNames_;  // key of short -> long path
  std::vector<std::u16string> failCreate_;               // keys
  bool writesFail_ = false;
  int writeCount_ = 0;
  mutable int diskPrompts_ = 0;
  std::u16string moduleFileName_ = u"C:\\Program Files\\Rimfold\\Rimfold.exe";
  std::u16string currentDirectory_ = u"C:\\users\\test";

  OsVersion version_{6, 1, 7601, 2};
  std::u16string systemDirectory_ = u"C:\\windows\\system32";
  std::optional<bool> wow64_ = false;
  int redirectionDepth_ = 0;
  std::map<std::u16string, std::uint32_t> registry_;  // folded key\value -> DWORD
  struct HkcuValue {
    std::optional<std::u16string> text;  // a string value
    std::string bytes;                   // any other
  };
  std::map<std::u16string, HkcuValue> hkcu_;  // folded key|value
  bool hkcuWritesFail_ = false;

  std::int64_t now_ = 0;
  std::int64_t subTicks_ = 0;
  LocalTime localTime_{2024, 12, 12, 4, 9, 5, 3, 0};
  std::vector<std::uint32_t> sleepLog_;
};

}  // namespace rimfold::test
