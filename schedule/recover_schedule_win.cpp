#include "schedule/recover_schedule_win.h"

#include <commctrl.h>

#include <cstdio>

#include "base/string_table.h"
#include "wingui/text_win.h"

namespace {

constexpr unsigned kNoBackups = 571, kExplanation = 572, kConfirm = 801, kNoSelection = 802;
constexpr unsigned kColumnName = 810, kColumnTime = 811, kScheduleData = 382;

std::wstring Text(unsigned number) { return wingui::WideFromAnsi(quorel::LoadText(number)); }

int DefaultBox(HWND owner, const std::wstring& text, UINT flags) {
  return MessageBoxW(owner, text.c_str(), nullptr, flags);
}

// The last-write time as its calendar fields, without conversion to local time.
std::wstring WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  SYSTEMTIME t = {};
  if (!GetFileAttributesExW(wingui::WideFromAnsi(path).c_str(), GetFileExInfoStandard, &data) ||
      !FileTimeToSystemTime(&data.ftLastWriteTime, &t)) {
    return L"";
  }
  wchar_t text[32];
  swprintf(text, 32, L"%04d/%02d/%02d %02d:%02d:%02d", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond);
  return text;
}

}  // namespace

CSelectRecoverFile::CSelectRecoverFile(std::vector<quorel::ScheduleBackup> backups, RecoveryMessageBox message_box)
    : wingui::Dialog(kTemplate), backups_(std::move(backups)), message_box_(std::move(message_box)) {
  if (!message_box_) message_box_ = DefaultBox;
}

bool CSelectRecoverFile::OnInitDialog() {
  SetDlgItemTextW(hwnd(), kInfoText, Text(kExplanation).c_str());
  HWND list = Item(kList);
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT, LVS_EX_FULLROWSELECT);
  RECT rc;
  GetClientRect(list, &rc);
  const int width = rc.right - rc.left;
  std::wstring name = Text(kColumnName), time = Text(kColumnTime);
  LVCOLUMNW column = {};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = &name[0];
  column.cx = width * 70 / 100;
  SendMessageW(list, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
  column.pszText = &time[0];
  column.cx = width - column.cx;
  SendMessageW(list, LVM_INSERTCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
  for (std::size_t i = 0; i < backups_.size(); ++i) {
    std::wstring file = wingui::WideFromAnsi(backups_[i].file_name);
    std::wstring stamp = WriteTime(backups_[i].path);
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = static_cast<int>(i);
    item.pszText = &file[0];
    SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = &stamp[0];
    SendMessageW(list, LVM_SETITEMTEXTW, i, reinterpret_cast<LPARAM>(&item));
  }
  UpdateOk();
  return true;
}

int CSelectRecoverFile::SelectedRow() const {
  return static_cast<int>(SendDlgItemMessageW(hwnd(), kList, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

void CSelectRecoverFile::UpdateOk() { EnableWindow(Item(IDOK), SelectedRow() >= 0); }

void CSelectRecoverFile::SelectRowAt(POINT pt) {
  HWND list = Item(kList);
  LVHITTESTINFO hit = {};
  hit.pt = pt;
  int row = static_cast<int>(SendMessageW(list, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  const int count = static_cast<int>(backups_.size());
  if (row < 0 && count > 0) {
    // Below the last row: the row the position would have.
    RECT first = {};
    first.left = LVIR_BOUNDS;
    SendMessageW(list, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    const int height = first.bottom - first.top;
    if (height > 0 && pt.y >= first.top) row = (pt.y - first.top) / height;
  }
  LVITEMW state = {};
  state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  state.state = 0;
  SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
  if (row >= 0 && row < count) {
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&state));
  }
  UpdateOk();
}

bool CSelectRecoverFile::OnNotify(const NMHDR& header, LRESULT& result) {
  if (header.idFrom != kList) return false;
  if (header.code == NM_CLICK) {
    const auto& activate = reinterpret_cast<const NMITEMACTIVATE&>(header);
    SelectRowAt(activate.ptAction);
    result = 0;
    return true;
  }
  if (header.code == LVN_ITEMCHANGED) {
    UpdateOk();
    result = 0;
    return true;
  }
  return false;
}

void CSelectRecoverFile::OnOK() {
  const std::string pattern = quorel::LoadText(kConfirm);
  const std::string what = quorel::LoadText(kScheduleData);
  std::vector<char> question(pattern.size() + what.size() + 8);
  std::snprintf(question.data(), question.size(), pattern.c_str(), what.c_str());
  if (message_box_(hwnd(), wingui::WideFromAnsi(question.data()), MB_YESNO | MB_ICONQUESTION) != IDYES) return;
  const int row = SelectedRow();
  if (row < 0 || row >= static_cast<int>(backups_.size())) {
    message_box_(hwnd(), Text(kNoSelection), MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  chosen_ = backups_[static_cast<std::size_t>(row)];
  End(IDOK);
}

bool RecoverScheduleFile(HWND owner, RecoveryContext& context) {
  RecoveryMessageBox box = context.message_box ? context.message_box : DefaultBox;
  std::vector<quorel::ScheduleBackup> backups;
  if (context.fs && !context.folder.empty() && context.folder.find('\\') != std::string::npos) {
    backups = quorel::ListScheduleBackups(*context.fs, context.folder, context.current_year, context.generations);
  }
  if (backups.empty()) {
    box(owner, Text(kNoBackups), MB_OK | MB_ICONINFORMATION);
    return false;
  }
  CSelectRecoverFile dialog(backups, box);
  const INT_PTR result = context.run_dialog ? context.run_dialog(dialog, owner) : dialog.DoModal(owner);
  if (result != IDOK) return false;
  if (context.pending) context.pending->push_back(quorel::RecoveryEntry(dialog.chosen()));
  if (context.save_settings) context.save_settings();
  if (context.restart_program) context.restart_program();
  return true;
}
