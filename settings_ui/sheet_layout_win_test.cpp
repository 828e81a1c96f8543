// Every page of the settings sheet as a person sees it: each control inside its
// page, no two controls on top of each other, every label's text fitting its
// control in the dialog font; and a picture of each page for review
// (bin/tests/screens/sheet-page-NN.bmp).
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings_ui/fake_setup_host_win.h"
#include "settings_ui/setup_property_win.h"
#include "wingui/test_support_win.h"

namespace {

struct Control {
  HWND hwnd;
  int id;
  std::wstring cls, text;
  RECT rect;  // in page client coordinates
  LONG style;
};

std::vector<Control> ControlsOf(HWND page) {
  std::vector<Control> found;
  for (HWND child = GetWindow(page, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (!IsWindowVisible(child)) continue;
    Control c{child, GetDlgCtrlID(child), {}, {}, {}, static_cast<LONG>(GetWindowLongPtrW(child, GWL_STYLE))};
    wchar_t buf[512] = {};
    GetClassNameW(child, buf, 512);
    c.cls = buf;
    buf[0] = 0;
    GetWindowTextW(child, buf, 512);
    c.text = buf;
    GetWindowRect(child, &c.rect);
    MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&c.rect), 2);
    found.push_back(c);
  }
  return found;
}

bool IsGroupBox(const Control& c) { return _wcsicmp(c.cls.c_str(), L"Button") == 0 && (c.style & 0x0F) == BS_GROUPBOX; }
bool IsCheckOrRadio(const Control& c) {
  if (_wcsicmp(c.cls.c_str(), L"Button") != 0) return false;
  const LONG kind = c.style & 0x0F;
  return kind == BS_AUTOCHECKBOX || kind == BS_CHECKBOX || kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON;
}

// The height the text needs in the control's font when wrapped to `width` (0: one line), and its width.
SIZE TextNeeds(HWND control, const std::wstring& text, int width) {
  HDC dc = GetDC(control);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
  RECT r = {0, 0, width > 0 ? width : 10000, 0};
  UINT flags = DT_CALCRECT | (width > 0 ? DT_WORDBREAK : DT_SINGLELINE);
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, flags | DT_NOPREFIX);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

std::wstring WithoutMnemonic(std::wstring text) {
  for (std::size_t at; (at = text.find(L'&')) != std::wstring::npos;) text.erase(at, 1);
  return text;
}

void SavePicture(HWND window, const std::wstring& path) {
  RECT r;
  GetWindowRect(window, &r);
  const int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = w;
  bi.bmiHeader.biHeight = h;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  SelectObject(mem, old);
  const DWORD row = ((w * 3 + 3) / 4) * 4;
  BITMAPFILEHEADER fh = {};
  fh.bfType = 0x4D42;
  fh.bfOffBits = sizeof fh + sizeof bi.bmiHeader;
  fh.bfSize = fh.bfOffBits + row * h;
  FILE* f = _wfopen(path.c_str(), L"wb");
  if (f) {
    fwrite(&fh, sizeof fh, 1, f);
    fwrite(&bi.bmiHeader, sizeof bi.bmiHeader, 1, f);
    fwrite(bits, row * h, 1, f);
    fclose(f);
  }
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

TEST(SettingsSheetLayout, EveryPageKeepsItsControlsInsideApartAndTheirTextsWhole) {
  FakeSetupHost host;
  const std::wstring screens = wingui::test::ProgramFolder() + L"\\tests\\screens";
  CreateDirectoryW(screens.c_str(), nullptr);
  std::vector<std::string> faults;
  CSetupProperty sheet(host);
  wingui::test::RunModalDriven(
      L"ころぷくの設定", [&] { return sheet.Run(nullptr); },
      [&](HWND window) {
        for (int index = 0; index < quorel::kSettingsPageCount; ++index) {
          SendMessageW(window, PSM_SETCURSEL, index, 0);
          HWND page = reinterpret_cast<HWND>(SendMessageW(window, PSM_GETCURRENTPAGEHWND, 0, 0));
          if (!page) {
            faults.push_back("page " + std::to_string(index) + " did not show");
            continue;
          }
          RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
          Sleep(150);
          wchar_t name[64];
          swprintf(name, 64, L"\\sheet-page-%02d.bmp", index);
          SavePicture(window, screens + name);
          RECT area;
          GetClientRect(page, &area);
          const std::vector<Control> controls = ControlsOf(page);
          auto where = [&](const Control& c) {
            return "page " + std::to_string(index) + " control " + std::to_string(c.id);
          };
          // Radio buttons work as groups that run from one WS_GROUP control to the next: a lone
          // radio in its group is never unchecked by its partner.
          int group = 0;
          std::vector<int> group_of(controls.size()), radios_in(controls.size() + 1, 0);
          for (std::size_t i = 0; i < controls.size(); ++i) {
            if (i > 0 && (controls[i].style & WS_GROUP)) ++group;
            group_of[i] = group;
            const LONG kind = controls[i].style & 0x0F;
            if (kind == BS_AUTORADIOBUTTON || kind == BS_RADIOBUTTON) ++radios_in[group];
          }
          for (std::size_t i = 0; i < controls.size(); ++i) {
            const Control& c = controls[i];
            const LONG kind = c.style & 0x0F;
            if (_wcsicmp(c.cls.c_str(), L"Button") == 0 && kind == BS_AUTORADIOBUTTON && radios_in[group_of[i]] < 2) {
              faults.push_back(where(c) + " is a radio button alone in its group");
            }
            if (c.rect.left < area.left || c.rect.top < area.top || c.rect.right > area.right ||
                c.rect.bottom > area.bottom) {
              faults.push_back(where(c) + " reaches outside its page");
            }
            for (std::size_t j = i + 1; j < controls.size(); ++j) {
              const Control& d = controls[j];
              RECT overlap;
              // Group boxes frame others; an up-down button sits on its buddy edit by design.
              if (IsGroupBox(c) || IsGroupBox(d) || c.cls == UPDOWN_CLASSW || d.cls == UPDOWN_CLASSW) continue;
              if (IntersectRect(&overlap, &c.rect, &d.rect)) {
                faults.push_back(where(c) + " overlaps control " + std::to_string(d.id));
              }
            }
            const std::wstring text = WithoutMnemonic(c.text);
            if (text.empty()) continue;
            const int width = c.rect.right - c.rect.left, height = c.rect.bottom - c.rect.top;
            const bool is_static = _wcsicmp(c.cls.c_str(), L"Static") == 0;
            if (IsGroupBox(c) || IsCheckOrRadio(c) || _wcsicmp(c.cls.c_str(), L"Button") == 0) {
              const int box = IsCheckOrRadio(c) ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : (IsGroupBox(c) ? 12 : 8);
              if (TextNeeds(c.hwnd, text, 0).cx + box > width) faults.push_back(where(c) + " cuts its text");
            } else if (is_static && (c.style & SS_TYPEMASK) <= SS_RIGHT) {
              if (TextNeeds(c.hwnd, text, width).cy > height) faults.push_back(where(c) + " cuts its text");
            }
          }
        }
        wingui::test::PressSheetButton(window, PSBTN_CANCEL);
      });
  for (const std::string& fault : faults) ADD_FAILURE() << fault;
}

}  // namespace
