#include "render/setup_display2_win.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/string_table.h"
#include "render/bitmap_test_win.h"
#include "render/character_tables.h"
#include "render/image_load_win.h"
#include "render/user_char_info.h"
#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"
#include "wingui/text_win.h"

namespace {

using wingui::test::ClickButton;

const wchar_t kSheetCaption[] = L"ころぷくの設定";
const wchar_t kTestCaption[] = L"作った画面のてすと！";
constexpr int kPageCharacter = 1;
enum : int {
  kCharacter = 1007, kBlink = 1001, kBackground = 1002, kImage = 1163, kInfo = 1164, kTest = 1167,
};
// The file group of the page: enabled only for "ファイルを指定".
const int kFileGroup[] = {1168, 1161, 1163, 1165, 1162, 1164, 1166, 1167, 1191, 1179};

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

std::wstring Text(HWND window) {
  const int n = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(window, &text[0], n + 1);
  text.resize(static_cast<std::size_t>(n));
  return text;
}

void Type(HWND page, int id, const std::wstring& text) {
  SendMessageW(GetDlgItem(page, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void Choose(HWND page, int id, int item) {
  SendMessageW(GetDlgItem(page, id), CB_SETCURSEL, item, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
}

int Selection(HWND page, int id) { return static_cast<int>(SendMessageW(GetDlgItem(page, id), CB_GETCURSEL, 0, 0)); }
bool Enabled(HWND dialog, int id) { return IsWindowEnabled(GetDlgItem(dialog, id)) != FALSE; }

// A click whose handler opens a modal window: posted, so the driver is free to answer it.
void PostClick(HWND dialog, int id) {
  PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// A text label of `window` reading `text`.
bool FindLabel(HWND window, const std::wstring& text) {
  for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    wchar_t cls[32] = {};
    GetClassNameW(child, cls, 32);
    const LONG_PTR type = GetWindowLongPtrW(child, GWL_STYLE) & SS_TYPEMASK;
    if (std::wstring(cls) == L"Static" && type != SS_ICON && type != SS_BITMAP && Text(child) == text) return true;
  }
  return false;
}

// A message box of this process showing `text`: closed with OK; its text, or "" when none came.
std::wstring AnswerMessageBox(const std::wstring& text, DWORD ms = 5000) {
  struct Search {
    std::wstring text;
    HWND found = nullptr;
  } search{text};
  wingui::test::WaitFor(
      [&] {
        EnumWindows(
            [](HWND window, LPARAM lp) -> BOOL {
              auto* s = reinterpret_cast<Search*>(lp);
              DWORD pid = 0;
              GetWindowThreadProcessId(window, &pid);
              if (pid != GetCurrentProcessId() || !IsWindowVisible(window)) return TRUE;
              if (!FindLabel(window, s->text)) return TRUE;
              s->found = window;
              return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
      },
      ms);
  if (!search.found) {
    // Another message box came: report its text and close it, so that the test fails instead of hanging.
    EnumWindows(
        [](HWND window, LPARAM lp) -> BOOL {
          DWORD pid = 0;
          GetWindowThreadProcessId(window, &pid);
          HWND label = GetDlgItem(window, 0xFFFF);
          if (pid == GetCurrentProcessId() && IsWindowVisible(window) && label) {
            *reinterpret_cast<std::wstring*>(lp) = Text(label);
            PostMessageW(window, WM_COMMAND, IDOK, 0);
          }
          return TRUE;
        },
        reinterpret_cast<LPARAM>(&search.text));
    return search.text == text ? L"" : search.text;
  }
  PostMessageW(search.found, WM_COMMAND, IDOK, 0);
  return text;
}

std::wstring MessageText(int number, int line = 0) {
  return wingui::WideFromAnsi(quorel::UserCharMessageText(number, line));
}

INT_PTR RunSheet(FakeSetupHost& host, const std::function<void(HWND)>& drive) {
  host.record.settings_page = kPageCharacter;
  CSetupProperty sheet(host);
  return wingui::test::RunModalDriven(kSheetCaption, [&] { return sheet.Run(nullptr); }, drive);
}

std::wstring SamplePath(const wchar_t* name) { return wingui::test::ProgramFolder() + L"\\samples\\" + name; }

// A folder of this test's own under the temporary folder.
std::wstring ScratchFolder() {
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  std::wstring folder = std::wstring(temp) + L"quorel_chara_test";
  CreateDirectoryW(folder.c_str(), nullptr);
  return folder;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
  std::ofstream out(wingui::AnsiFromWide(path), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::wstring& path) {
  std::ifstream in(wingui::AnsiFromWide(path), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The pixels the preview control shows.
quorel::Surface PreviewPixels(HWND dialog) {
  HBITMAP bitmap = reinterpret_cast<HBITMAP>(
      SendDlgItemMessageW(dialog, CBitmapTest::kPreview, STM_GETIMAGE, IMAGE_BITMAP, 0));
  BITMAP info = {};
  if (!bitmap || !GetObjectW(bitmap, sizeof(info), &info)) return quorel::Surface();
  quorel::Surface surface(info.bmWidth, info.bmHeight);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, info.bmHeight, surface.Data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) surface.At(x, y) &= 0x00ffffff;
  return surface;
}

quorel::Surface BitmapResource(int id) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  BITMAP info = {};
  GetObjectW(bitmap, sizeof(info), &info);
  quorel::Surface surface(info.bmWidth, info.bmHeight);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -info.bmHeight;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  HDC dc = GetDC(nullptr);
  GetDIBits(dc, bitmap, 0, info.bmHeight, surface.Data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, dc);
  DeleteObject(bitmap);
  for (int y = 0; y < surface.Height(); ++y)
    for (int x = 0; x < surface.Width(); ++x) surface.At(x, y) &= 0x00ffffff;
  return surface;
}

// The test scene with the fox of the clock's digital layout on it.
quorel::Surface FoxScene(const quorel::Surface& background) {
  HMODULE self = GetModuleHandleW(nullptr);
  quorel::CDrawCharacter fox(quorel::LoadSheetFromResource(self, quorel::chara::kDigitalSheetId),
                             quorel::LoadSheetFromResource(self, quorel::chara::kAnalogSheetId), nullptr);
  fox.SetCharacter(1);
  quorel::Surface scene = background;
  fox.Draw(scene);
  return scene;
}

// The still of mike.bmp (the digital one at (1, 1)) over the background, key pixels transparent.
quorel::Surface SampleStillScene(const quorel::Surface& background, int still_y) {
  const quorel::Surface image = quorel::LoadImageFromFile(wingui::AnsiFromWide(SamplePath(L"mike.bmp")));
  quorel::Surface scene = background;
  for (int y = 0; y < scene.Height(); ++y)
    for (int x = 0; x < scene.Width(); ++x) {
      const quorel::Color c = image.Pixel(1 + x, still_y + y);
      if (c != quorel::kKeyColor) scene.At(x, y) = c;
    }
  return scene;
}

class CharacterPage : public ::testing::Test {
 protected:
  quorel::GdiplusSession gdiplus_;
};

TEST_F(CharacterPage, ShowsTheStoredChoiceAndOkStoresTheMappedValues) {
  // item chosen -> value stored, for the items whose order differs from the values
  const struct {
    int item, value;
  } cases[] = {{6, 12}, {7, 8}, {9, 7}, {12, 14}, {13, 15}, {14, 0}, {0, 1}};
  for (const auto& c : cases) {
    FakeSetupHost host;
    host.record.character = 7;  // "フェレット", item 9
    host.record.blink_animation = 1;
    host.record.background_animation = 0;
    host.record.user_character_bitmap = "C:\\chara\\a.bmp";
    host.record.user_character_info = "C:\\chara\\a.inf";
    int shown = -1;
    std::wstring image;
    RunSheet(host, [&](HWND sheet) {
      HWND page = CurrentPage(sheet);
      shown = Selection(page, kCharacter);
      image = Text(GetDlgItem(page, kImage));
      Choose(page, kCharacter, c.item);
      ClickButton(page, kBlink);
      ClickButton(page, kBackground);
      Type(page, kImage, L"C:\\chara\\b.bmp");
      Type(page, kInfo, L"");
      wingui::test::PressSheetButton(sheet, PSBTN_OK);
    });
    EXPECT_EQ(shown, 9);
    EXPECT_EQ(image, L"C:\\chara\\a.bmp");
    EXPECT_EQ(host.record.character, c.value) << c.item;
    EXPECT_EQ(host.record.blink_animation, 0);
    EXPECT_EQ(host.record.background_animation, 1);
    EXPECT_EQ(host.record.user_character_bitmap, "C:\\chara\\b.bmp");
    EXPECT_EQ(host.record.user_character_info, "");
  }
}

TEST_F(CharacterPage, CancelStoresNothing) {
  FakeSetupHost host;
  host.record.character = 3;
  host.record.user_character_bitmap = "C:\\chara\\a.bmp";
  const quorel::QuorelSettings before = host.record;
  const INT_PTR r = RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    Choose(page, kCharacter, 14);
    ClickButton(page, kBlink);
    Type(page, kImage, L"C:\\other.bmp");
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(r, IDCANCEL);
  EXPECT_EQ(host.record.character, before.character);
  EXPECT_EQ(host.record.blink_animation, before.blink_animation);
  EXPECT_EQ(host.record.user_character_bitmap, before.user_character_bitmap);
}

TEST_F(CharacterPage, TheListHoldsItsLabelsInOrderAndAValueWithoutAnItemShowsTheFox) {
  FakeSetupHost host;
  host.record.character = 13;
  int shown = -1;
  std::vector<std::wstring> labels;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    shown = Selection(page, kCharacter);
    HWND combo = GetDlgItem(page, kCharacter);
    const int n = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
      wchar_t text[128] = {};
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      labels.push_back(text);
    }
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(shown, 0);
  ASSERT_EQ(labels.size(), 15u);
  EXPECT_EQ(labels[0], L"きつねさん");
  EXPECT_EQ(labels[6], L"猫（灰色）");
  EXPECT_EQ(labels[9], L"フェレット");
  EXPECT_EQ(labels[12], L"起動毎に変わる");
  EXPECT_EQ(labels[14], L"ファイルを指定");
}

TEST_F(CharacterPage, TheFileGroupIsEnabledOnlyForTheUsersFiles) {
  FakeSetupHost host;
  host.record.character = 0;
  std::vector<bool> at_start, after_fox, after_files;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    for (int id : kFileGroup) at_start.push_back(Enabled(page, id));
    Choose(page, kCharacter, 13);  // "一時間毎に変わる"
    for (int id : kFileGroup) after_fox.push_back(Enabled(page, id));
    Choose(page, kCharacter, 14);
    for (int id : kFileGroup) after_files.push_back(Enabled(page, id));
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  for (std::size_t i = 0; i < std::size(kFileGroup); ++i) {
    EXPECT_TRUE(at_start.at(i)) << kFileGroup[i];
    EXPECT_FALSE(after_fox.at(i)) << kFileGroup[i];
    EXPECT_TRUE(after_files.at(i)) << kFileGroup[i];
  }
}

TEST_F(CharacterPage, TestWithoutAnImageShowsMessage251) {
  FakeSetupHost host;
  host.record.character = 0;
  host.record.user_character_info = "C:\\chara\\a.inf";
  std::wstring shown;
  HWND test_dialog = nullptr;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    Type(page, kImage, L"");  // the record's default names the sample
    PostClick(page, kTest);
    shown = AnswerMessageBox(L"キャラクタの画像ﾌｧｲﾙが指定されていないため、テストができません。");
    test_dialog = FindWindowW(nullptr, kTestCaption);
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_EQ(shown, L"キャラクタの画像ﾌｧｲﾙが指定されていないため、テストができません。");
  EXPECT_EQ(test_dialog, nullptr);
}

// The test button previews the files typed into the page: the sample cat, not the fox.
TEST_F(CharacterPage, TestShowsTheUsersCharacterFromTheEditsOverTheTestScene) {
  FakeSetupHost host;
  host.record.character = 0;
  host.record.user_character_bitmap = "C:\\nowhere\\a.bmp";
  quorel::Surface preview;
  bool analog_enabled = false, blink_enabled = false;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    Type(page, kImage, SamplePath(L"mike.bmp"));
    Type(page, kInfo, SamplePath(L"mike.inf"));
    PostClick(page, kTest);
    HWND test = wingui::test::WaitForWindow(kTestCaption);
    if (test) {
      wingui::test::WaitFor([&] { return IsWindowVisible(test) != FALSE; }, 5000);
      preview = PreviewPixels(test);
      analog_enabled = Enabled(test, CBitmapTest::kAnalog);
      blink_enabled = Enabled(test, CBitmapTest::kMotionFirst + 1);
      PostMessageW(test, WM_COMMAND, IDCANCEL, 0);
      wingui::test::WaitFor([&] { return !IsWindow(test); }, 5000);
    }
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  const quorel::Surface background = BitmapResource(CBitmapTest::kBackgroundBitmap);
  ASSERT_EQ(background.Width(), 82);
  ASSERT_EQ(background.Height(), 53);
  ASSERT_EQ(preview.Width(), 82);
  ASSERT_EQ(preview.Height(), 53);
  EXPECT_TRUE(preview == SampleStillScene(background, 1));
  EXPECT_TRUE(preview != background);
  EXPECT_TRUE(preview != FoxScene(background));
  EXPECT_TRUE(analog_enabled);  // mike.bmp holds both stills
  EXPECT_TRUE(blink_enabled);
}

TEST_F(CharacterPage, TheGuideButtonShowsTheCharacterGuide) {
  FakeSetupHost host;
  host.record.character = 0;
  std::wstring guide;
  RunSheet(host, [&](HWND sheet) {
    PostClick(CurrentPage(sheet), 1179);
    HWND help = wingui::test::WaitForWindow(L"ころぷくのヘルプ！");
    if (help) {
      guide = Text(GetDlgItem(help, 1023));
      PostMessageW(help, WM_COMMAND, IDOK, 0);
      wingui::test::WaitFor([&] { return !IsWindow(help); }, 5000);
    }
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_NE(guide.find(L"自分だけのキャラクターをつくろう！"), std::wstring::npos);
  EXPECT_NE(guide.find(L"mike.inf"), std::wstring::npos);
}

// The browse button's dialog has its title and puts the chosen file into the image field.
TEST_F(CharacterPage, BrowsingPutsTheChosenImageIntoItsField) {
  FakeSetupHost host;
  host.record.character = 0;
  const std::wstring sample = SamplePath(L"mike.bmp");
  std::wstring image;
  bool opened = false;
  RunSheet(host, [&](HWND sheet) {
    HWND page = CurrentPage(sheet);
    PostClick(page, 1165);
    HWND chooser = wingui::test::WaitForWindow(L"画像ファイルの選択");
    opened = chooser != nullptr;
    if (chooser) {
      wingui::test::WaitFor([&] { return IsWindowVisible(chooser) != FALSE; }, 5000);
      HWND name = GetDlgItem(chooser, 0x47c);  // the file name field (edt1) or its combo box (cmb13)
      if (!name || !IsWindowVisible(name)) name = GetDlgItem(chooser, 0x480);
      SendMessageW(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(sample.c_str()));
      PostMessageW(chooser, WM_COMMAND, IDOK, 0);
      wingui::test::WaitFor([&] { return !IsWindow(chooser); }, 5000);
    }
    image = Text(GetDlgItem(page, kImage));
    wingui::test::PressSheetButton(sheet, PSBTN_CANCEL);
  });
  EXPECT_TRUE(opened);
  EXPECT_EQ(_wcsicmp(image.c_str(), sample.c_str()), 0) << wingui::AnsiFromWide(image);
}

class TestDialog : public CharacterPage {
 protected:
  void SetUp() override {
    folder_ = ScratchFolder();
    image_ = folder_ + L"\\cat.bmp";
    info_ = folder_ + L"\\cat.inf";
    WriteFile(image_, ReadFile(SamplePath(L"mike.bmp")));
    WriteFile(info_, ReadFile(SamplePath(L"mike.inf")));
  }
  void TearDown() override {
    DeleteFileW(image_.c_str());
    DeleteFileW(info_.c_str());
    RemoveDirectoryW(folder_.c_str());
  }
  std::wstring folder_, image_, info_;
};

TEST_F(TestDialog, ABrokenInformationFileShowsItsNumberedMessageAndEndsTheDialog) {
  WriteFile(info_, "[Digital]\r\nPosition=1,111,24\r\n");
  CBitmapTest test(wingui::AnsiFromWide(image_), wingui::AnsiFromWide(info_));
  std::wstring shown;
  std::thread answer([&] { shown = AnswerMessageBox(MessageText(quorel::kMsgInfoBadPosition, 2)); });
  const INT_PTR r = test.DoModal(nullptr);
  answer.join();
  EXPECT_EQ(shown, MessageText(quorel::kMsgInfoBadPosition, 2));
  EXPECT_EQ(r, IDCANCEL);
}

TEST_F(TestDialog, AMotionChangesTheFaceAndReloadingReportsItsFailure) {
  CBitmapTest test(wingui::AnsiFromWide(image_), wingui::AnsiFromWide(info_));
  quorel::Surface still, blinking, after_reload;
  std::wstring shown;
  bool blink_enabled_after = true;
  wingui::test::RunModalDriven(
      kTestCaption, [&] { return test.DoModal(nullptr); },
      [&](HWND dialog) {
        still = PreviewPixels(dialog);
        ClickButton(dialog, CBitmapTest::kMotionFirst + 3);  // "居眠り": long enough to be seen
        wingui::test::WaitFor([&] { return (blinking = PreviewPixels(dialog)) != still; }, 3000);
        WriteFile(info_, "[Digital]\r\nPosition=1,111,24,20,29,8,3\r\nCloseEye=67,1\r\n");
        PostClick(dialog, CBitmapTest::kReload);
        shown = AnswerMessageBox(MessageText(quorel::kMsgInfoBadMotion, 3));
        wingui::test::WaitFor([&] { return !IsWindowEnabled(GetDlgItem(dialog, CBitmapTest::kDigital)); }, 3000);
        after_reload = PreviewPixels(dialog);
        blink_enabled_after = Enabled(dialog, CBitmapTest::kMotionFirst + 1);
        ClickButton(dialog, IDCANCEL);
      });
  const quorel::Surface background = BitmapResource(CBitmapTest::kBackgroundBitmap);
  EXPECT_TRUE(still == SampleStillScene(background, 1));
  EXPECT_TRUE(blinking != still);
  EXPECT_EQ(shown, MessageText(quorel::kMsgInfoBadMotion, 3));
  EXPECT_TRUE(after_reload == background);
  EXPECT_FALSE(blink_enabled_after);
}

TEST_F(TestDialog, TheAnalogLayoutShowsTheAnalogStill) {
  CBitmapTest test(wingui::AnsiFromWide(image_), wingui::AnsiFromWide(info_));
  quorel::Surface analog;
  wingui::test::RunModalDriven(
      kTestCaption, [&] { return test.DoModal(nullptr); },
      [&](HWND dialog) {
        ClickButton(dialog, CBitmapTest::kAnalog);
        analog = PreviewPixels(dialog);
        ClickButton(dialog, IDCANCEL);
      });
  const quorel::Surface background = BitmapResource(CBitmapTest::kBackgroundBitmap);
  EXPECT_TRUE(analog == SampleStillScene(background, 55));
}

}  // namespace
