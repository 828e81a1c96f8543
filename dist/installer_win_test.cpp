// The installer as a user meets it, in a wine prefix of its own:
// scripts/dist-test-env.py builds the installer and the zip twice from the
// Windows build and runs this program with QUOREL_DIST_OUT and
// QUOREL_DIST_OUT_AGAIN naming the two output folders (Unix paths).
#include <windows.h>

#include <commctrl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "app/common_util_win.h"
#include "app/quorel_e2e_support_win.h"
#include "base/string_table.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::FindProcessWindow;
using wingui::test::WaitFor;

constexpr unsigned kStrProductName = 2500, kStrStartupDescription = 2501, kStrSettingsProduct = 57344;
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\quorel";

std::wstring Text(unsigned number) { return wingui::WideFromAnsi(quorel::LoadText(number)); }

// A Unix path of the harness as this program sees it (wine maps / to Z:).
std::wstring FromUnix(const char* variable) {
  const char* value = std::getenv(variable);
  if (!value || !*value) return L"";
  std::wstring path = L"Z:" + wingui::WideFromAnsi(value);
  for (wchar_t& c : path)
    if (c == L'/') c = L'\\';
  return path;
}

std::wstring Folder(int csidl) {
  wchar_t path[MAX_PATH] = L"";
  return SUCCEEDED(SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path)) ? path : L"";
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

std::string Bytes(const std::wstring& path) {
  FILE* f = _wfopen(path.c_str(), L"rb");
  if (!f) return "<missing>";
  std::string bytes;
  char buffer[65536];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, n);
  std::fclose(f);
  return bytes;
}

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  FILE* f = _wfopen(path.c_str(), L"wb");
  ASSERT_NE(f, nullptr);
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// Every file under `root`, as paths relative to it.
void ListFiles(const std::wstring& root, const std::wstring& sub, std::vector<std::wstring>* out) {
  WIN32_FIND_DATAW d;
  HANDLE h = FindFirstFileW((root + L"\\" + sub + L"*").c_str(), &d);
  if (h == INVALID_HANDLE_VALUE) return;
  do {
    const std::wstring name = d.cFileName;
    if (name == L"." || name == L"..") continue;
    if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
      ListFiles(root, sub + name + L"\\", out);
    else
      out->push_back(sub + name);
  } while (FindNextFileW(h, &d));
  FindClose(h);
}

// Runs a command line and waits; the exit code, or -1 when it did not start or end.
long RunCommand(const std::wstring& command_line, DWORD ms = 120000) {
  std::wstring cmd = command_line;
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  if (!CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) return -1;
  DWORD code = static_cast<DWORD>(-1);
  if (WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0) GetExitCodeProcess(pi.hProcess, &code);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return static_cast<long>(code);
}

std::wstring RegText(const wchar_t* key, const wchar_t* value) {
  wchar_t data[1024] = L"";
  DWORD size = sizeof(data);
  if (RegGetValueW(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS) return L"";
  return data;
}

bool KeyExists(const std::wstring& key) {
  HKEY h;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &h) != ERROR_SUCCESS) return false;
  RegCloseKey(h);
  return true;
}

// What a shortcut holds.
struct Link {
  std::wstring target, arguments, working_folder, description, icon;
  int show = 0;
};

bool ReadLink(const std::wstring& path, Link* link) {
  const HRESULT init = CoInitialize(nullptr);
  bool ok = false;
  IShellLinkW* shell_link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&shell_link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(shell_link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      if (SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
        wchar_t text[MAX_PATH * 2] = L"";
        int index = 0;
        shell_link->GetPath(text, MAX_PATH * 2, nullptr, SLGP_RAWPATH);
        link->target = text;
        text[0] = 0;
        shell_link->GetArguments(text, MAX_PATH * 2);
        link->arguments = text;
        text[0] = 0;
        shell_link->GetWorkingDirectory(text, MAX_PATH * 2);
        link->working_folder = text;
        text[0] = 0;
        shell_link->GetDescription(text, MAX_PATH * 2);
        link->description = text;
        text[0] = 0;
        shell_link->GetIconLocation(text, MAX_PATH * 2, &index);
        link->icon = text;
        shell_link->GetShowCmd(&link->show);
        ok = true;
      }
      file->Release();
    }
    shell_link->Release();
  }
  if (SUCCEEDED(init)) CoUninitialize();
  return ok;
}

bool SamePath(const std::wstring& a, const std::wstring& b) { return lstrcmpiW(a.c_str(), b.c_str()) == 0; }

// A running clock, found by its window, whatever started it.
struct RunningClock {
  HANDLE process = nullptr;
  HWND clock = nullptr;
  std::wstring image;
  ~RunningClock() {
    if (process) {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      CloseHandle(process);
    }
  }
  bool Find() {
    if (!WaitFor([this] { return (clock = FindWindowW(L"QuorelClockWnd", nullptr)) != nullptr && IsWindowVisible(clock); },
                 30000))
      return false;
    DWORD pid = 0;
    GetWindowThreadProcessId(clock, &pid);
    process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
    wchar_t path[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    if (process && QueryFullProcessImageNameW(process, 0, path, &size)) image = path;
    return process != nullptr;
  }
  bool Ended(DWORD ms) const { return WaitForSingleObject(process, ms) == WAIT_OBJECT_0; }
  DWORD ExitCode() const {
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    return code;
  }
};

// Distinct colours in the clock's window: a drawn clock has many, an empty window one.
int ColoursShown(HWND clock) {
  const quorel::Surface shown = quorel_e2e::Capture(quorel_e2e::RectOf(clock));
  std::set<std::uint32_t> colours;
  for (int y = 0; y < shown.Height(); ++y)
    for (int x = 0; x < shown.Width(); ++x) colours.insert(shown.At(x, y));
  return static_cast<int>(colours.size());
}

class Installer : public ::testing::Test {
 protected:
  void SetUp() override {
    out_ = FromUnix("QUOREL_DIST_OUT");
    ASSERT_FALSE(out_.empty()) << "run this program through scripts/dist-test-env.py";
    setup_ = out_ + L"\\quorel-setup.exe";
    stage_ = out_ + L"\\stage";
    ListFiles(stage_, L"", &shipped_);
    ASSERT_FALSE(shipped_.empty());
    install_ = Folder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\quorel";
    menu_link_ = Folder(CSIDL_PROGRAMS) + L"\\" + Text(kStrProductName) + L"\\" + Text(kStrProductName) + L".lnk";
    startup_link_ = Folder(CSIDL_STARTUP) + L"\\" + Text(kStrProductName) + L".lnk";
    ASSERT_FALSE(Exists(install_)) << "an earlier test left the program installed";
  }

  // A test that stopped half-way leaves nothing for the next one.
  void TearDown() override {
    const std::wstring command = RegText(kUninstallKey, L"QuietUninstallString");
    if (!command.empty() && RunCommand(command) == 0) WaitFor([] { return !KeyExists(kUninstallKey); }, 60000);
    Sleep(500);
    DeleteFileW((install_ + L"\\memo.txt").c_str());
    RemoveDirectoryW(install_.c_str());
  }

  void ExpectInstalled() {
    for (const std::wstring& f : shipped_)
      EXPECT_EQ(Bytes(install_ + L"\\" + f), Bytes(stage_ + L"\\" + f)) << wingui::AnsiFromWide(f);
    EXPECT_TRUE(Exists(install_ + L"\\uninstall.exe"));
  }

  // As the list of programs runs it: the quiet command of the uninstall entry. The
  // uninstaller works on from a copy of itself; its last step removes the entry.
  void Uninstall() {
    const std::wstring command = RegText(kUninstallKey, L"QuietUninstallString");
    ASSERT_FALSE(command.empty());
    ASSERT_EQ(RunCommand(command), 0);
    ASSERT_TRUE(WaitFor([] { return !KeyExists(kUninstallKey); }, 60000)) << "the uninstaller did not finish";
    Sleep(500);
  }

  void ExpectProgramGone() {
    for (const std::wstring& f : shipped_) EXPECT_FALSE(Exists(install_ + L"\\" + f)) << wingui::AnsiFromWide(f);
    EXPECT_FALSE(Exists(install_ + L"\\uninstall.exe"));
    EXPECT_FALSE(Exists(menu_link_));
    EXPECT_FALSE(Exists(startup_link_));
  }

  std::wstring out_, setup_, stage_, install_, menu_link_, startup_link_;
  std::vector<std::wstring> shipped_;
};

TEST_F(Installer, InstallsSilentlyRunsTheClockAndUninstallsLeavingTheUsersData) {
  ASSERT_EQ(RunCommand(L"\"" + setup_ + L"\" /S"), 0);
  ExpectInstalled();

  Link menu;
  ASSERT_TRUE(ReadLink(menu_link_, &menu)) << "no Start-menu shortcut";
  EXPECT_TRUE(SamePath(menu.target, install_ + L"\\quorel.exe")) << wingui::AnsiFromWide(menu.target);
  EXPECT_FALSE(Exists(startup_link_)) << "the log-in start is off unless asked for";

  EXPECT_EQ(RegText(kUninstallKey, L"DisplayName"), Text(kStrProductName));
  EXPECT_TRUE(SamePath(RegText(kUninstallKey, L"UninstallString"), L"\"" + install_ + L"\\uninstall.exe\""));
  EXPECT_TRUE(SamePath(RegText(kUninstallKey, L"InstallLocation"), install_));

  // The user starts it from the Start menu.
  ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", menu_link_.c_str(), nullptr, nullptr, SW_SHOWNORMAL)),
            32);
  RunningClock running;
  ASSERT_TRUE(running.Find()) << "no clock window";
  EXPECT_TRUE(SamePath(running.image, install_ + L"\\quorel.exe")) << wingui::AnsiFromWide(running.image);
  Sleep(1000);  // the first frames
  EXPECT_GT(ColoursShown(running.clock), 8);
  PostMessageW(FindProcessWindow(GetProcessId(running.process), L"QuorelMainWnd"), WM_CLOSE, 0, 0);
  ASSERT_TRUE(running.Ended(30000));

  // What the clock made of its first start, and what the user keeps.
  const std::wstring settings_key = L"Software\\Yoveta Inc.\\" + Text(kStrSettingsProduct);
  EXPECT_TRUE(KeyExists(settings_key));
  const std::wstring data = Folder(CSIDL_APPDATA) + L"\\quorel\\userdata";
  ASSERT_TRUE(Exists(data)) << "the clock made no data folder";
  const std::string schedule = "2026/12/24,18:00,\x89\xEF\x8B\x63\r\n", holidays = "12/24\r\n";
  WriteBytes(data + L"\\sche2026.dat", schedule);
  WriteBytes(data + L"\\HOLIDAY.TXT", holidays);

  Uninstall();
  ExpectProgramGone();
  EXPECT_FALSE(Exists(install_)) << "the emptied program folder stays";
  EXPECT_FALSE(Exists(Folder(CSIDL_PROGRAMS) + L"\\" + Text(kStrProductName)));
  EXPECT_EQ(Bytes(data + L"\\sche2026.dat"), schedule);
  EXPECT_EQ(Bytes(data + L"\\HOLIDAY.TXT"), holidays);
  EXPECT_TRUE(KeyExists(settings_key)) << "the settings went with the program";
}

TEST_F(Installer, InstallOverARunningClockClosesItAndUninstallDoesTooKeepingTheUsersFiles) {
  ASSERT_EQ(RunCommand(L"\"" + setup_ + L"\" /S"), 0);
  const std::wstring readme = install_ + L"\\readme.txt";
  WriteBytes(readme, "damaged");  // the second install must put it right

  {
    std::wstring cmd = L"\"" + install_ + L"\\quorel.exe\"";
    STARTUPINFOW si = {sizeof(si)};
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, install_.c_str(), &si, &pi));
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  RunningClock first;
  ASSERT_TRUE(first.Find());
  ASSERT_EQ(RunCommand(L"\"" + setup_ + L"\" /S"), 0);
  EXPECT_TRUE(first.Ended(0)) << "the clock still runs";
  EXPECT_EQ(first.ExitCode(), 0u) << "the clock was killed rather than closed";
  ExpectInstalled();

  // A file of the user's own in the program folder outlives the uninstaller, which
  // also closes a running clock first.
  const std::wstring own = install_ + L"\\memo.txt";
  WriteBytes(own, "mine");
  ASSERT_GT(reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", menu_link_.c_str(), nullptr, nullptr, SW_SHOWNORMAL)),
            32);
  RunningClock second;
  ASSERT_TRUE(second.Find());
  Uninstall();
  EXPECT_TRUE(second.Ended(0));
  ExpectProgramGone();
  EXPECT_EQ(Bytes(own), "mine");
}

// A window of `parent` (at any depth) of class `cls`.
HWND FindDescendant(HWND parent, const wchar_t* cls) {
  struct Search {
    const wchar_t* cls;
    HWND found;
  } search{cls, nullptr};
  EnumChildWindows(
      parent,
      [](HWND h, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        wchar_t name[64] = {};
        GetClassNameW(h, name, 64);
        if (std::wstring(name) != s->cls) return TRUE;
        s->found = h;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// A person clicks "next" through the pages: the log-in start stays off unless
// ticked, and the last page starts the clock.
TEST_F(Installer, ClickingThroughInstallsWithoutTheLogInStartAndStartsTheClock) {
  std::wstring cmd = L"\"" + setup_ + L"\"";
  STARTUPINFOW si = {sizeof(si)};
  PROCESS_INFORMATION pi = {};
  ASSERT_TRUE(CreateProcessW(nullptr, &cmd[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi));
  CloseHandle(pi.hThread);
  struct Closer {
    HANDLE process;
    ~Closer() {
      if (WaitForSingleObject(process, 0) == WAIT_TIMEOUT) TerminateProcess(process, 1);
      CloseHandle(process);
    }
  } closer{pi.hProcess};
  HWND wizard = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (wizard = FindProcessWindow(pi.dwProcessId, L"#32770")) && IsWindowVisible(wizard); },
                      30000));
  const auto next = [&] { PostMessageW(wizard, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); };

  next();  // the folder page
  HWND tree = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (tree = FindDescendant(wizard, L"SysTreeView32")) && IsWindowVisible(tree); }, 10000))
      << "no components page";
  EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 2) << "the program and the log-in start";
  next();  // install
  ASSERT_TRUE(WaitFor([] { return KeyExists(kUninstallKey); }, 60000)) << "the installation did not finish";
  Sleep(1500);  // on to the last page, whose ticked choice starts the clock
  next();
  ASSERT_EQ(WaitForSingleObject(pi.hProcess, 30000), WAIT_OBJECT_0) << "the installer did not end";

  RunningClock running;
  ASSERT_TRUE(running.Find()) << "the last page did not start the clock";
  EXPECT_TRUE(SamePath(running.image, install_ + L"\\quorel.exe")) << wingui::AnsiFromWide(running.image);
  ExpectInstalled();
  EXPECT_TRUE(Exists(menu_link_));
  EXPECT_FALSE(Exists(startup_link_));

  Uninstall();  // closes the clock
  EXPECT_TRUE(running.Ended(0));
  ExpectProgramGone();
}

// The log-in start the installer offers is the settings page's own shortcut, so
// that the page shows it ticked and can take it away again.
TEST_F(Installer, LogInStartSwitchMakesTheSettingsPagesShortcutAndAnUpdateKeepsIt) {
  ASSERT_EQ(RunCommand(L"\"" + setup_ + L"\" /S /AUTOSTART"), 0);
  Link installed;
  ASSERT_TRUE(ReadLink(startup_link_, &installed)) << "no log-in start shortcut";
  EXPECT_TRUE(CCommonUtilWin::StartupShortcutExists(nullptr, quorel::LoadText(kStrProductName)));

  const std::string probe = "quorel installer probe";
  ASSERT_TRUE(CCommonUtilWin::CreateStartupShortcut(nullptr, probe, wingui::AnsiFromWide(install_ + L"\\quorel.exe"),
                                                    quorel::LoadText(kStrStartupDescription)));
  Link page;
  ASSERT_TRUE(ReadLink(Folder(CSIDL_STARTUP) + L"\\" + wingui::WideFromAnsi(probe) + L".lnk", &page));
  CCommonUtilWin::DeleteStartupShortcut(nullptr, probe);
  EXPECT_TRUE(SamePath(installed.target, page.target)) << wingui::AnsiFromWide(installed.target);
  EXPECT_EQ(installed.arguments, page.arguments);
  EXPECT_EQ(installed.working_folder, page.working_folder);
  EXPECT_EQ(installed.description, page.description);
  EXPECT_EQ(installed.icon, page.icon);
  EXPECT_EQ(installed.show, page.show);

  // An update without the switch leaves the user's log-in start in place.
  ASSERT_EQ(RunCommand(L"\"" + setup_ + L"\" /S"), 0);
  EXPECT_TRUE(Exists(startup_link_));

  Uninstall();
  ExpectProgramGone();
}

TEST(Distribution, TwoBuildsGiveTheSameBytes) {
  const std::wstring a = FromUnix("QUOREL_DIST_OUT"), b = FromUnix("QUOREL_DIST_OUT_AGAIN");
  ASSERT_FALSE(a.empty() || b.empty()) << "run this program through scripts/dist-test-env.py";
  for (const wchar_t* name : {L"quorel-setup.exe", L"quorel.zip"}) {
    const std::string first = Bytes(a + L"\\" + name), second = Bytes(b + L"\\" + name);
    EXPECT_GT(first.size(), 100000u) << wingui::AnsiFromWide(name);
    EXPECT_TRUE(first == second) << wingui::AnsiFromWide(name) << " differs between two builds";
  }
}

}  // namespace
