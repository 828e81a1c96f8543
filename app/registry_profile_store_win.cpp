#include "app/registry_profile_store_win.h"

#include <vector>

#include "wingui/text_win.h"

CRegistryProfileStore::CRegistryProfileStore(const std::string& company, const std::string& product, HKEY root)
    : root_(root),
      product_path_(L"Software\\" + wingui::WideFromAnsi(company) + L"\\" + wingui::WideFromAnsi(product)) {}

CRegistryProfileStore::~CRegistryProfileStore() { CloseKeys(); }

void CRegistryProfileStore::CloseKeys() {
  for (auto& k : keys_) RegCloseKey(k.second);
  keys_.clear();
}

HKEY CRegistryProfileStore::SectionKey(const std::string& section, bool create) {
  auto found = keys_.find(section);
  if (found != keys_.end()) return found->second;
  HKEY key = nullptr;
  const std::wstring path = KeyPath(section);
  const REGSAM access = KEY_QUERY_VALUE | KEY_SET_VALUE;
  const LONG result = create ? RegCreateKeyExW(root_, path.c_str(), 0, nullptr, 0, access, nullptr, &key, nullptr)
                             : RegOpenKeyExW(root_, path.c_str(), 0, access, &key);
  if (result != ERROR_SUCCESS) return nullptr;
  keys_[section] = key;
  return key;
}

std::wstring CRegistryProfileStore::KeyPath(const std::string& section) const {
  return section.empty() ? product_path_ : product_path_ + L"\\" + wingui::WideFromAnsi(section);
}

bool CRegistryProfileStore::HasValue(const std::string& section, const std::string& name) {
  HKEY key = SectionKey(section, false);
  if (!key) return false;
  return RegQueryValueExW(key, wingui::WideFromAnsi(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

int CRegistryProfileStore::GetInt(const std::string& section, const std::string& name, int default_value) {
  HKEY key = SectionKey(section, false);
  if (!key) return default_value;
  DWORD type = 0, value = 0, size = sizeof(value);
  if (RegQueryValueExW(key, wingui::WideFromAnsi(name).c_str(), nullptr, &type,
                       reinterpret_cast<BYTE*>(&value), &size) != ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof(value)) {
    return default_value;
  }
  return static_cast<int>(value);
}

std::string CRegistryProfileStore::GetString(const std::string& section, const std::string& name,
                                             const std::string& default_value) {
  HKEY key = SectionKey(section, false);
  if (!key) return default_value;
  const std::wstring wide_name = wingui::WideFromAnsi(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return default_value;
  }
  // One unit more than asked, so that a text stored without its terminator still ends.
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
  DWORD bytes = static_cast<DWORD>((buffer.size() - 1) * sizeof(wchar_t));
  if (RegQueryValueExW(key, wide_name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                       &bytes) != ERROR_SUCCESS ||
      type != REG_SZ) {
    return default_value;
  }
  return wingui::AnsiFromWide(std::wstring(buffer.data()));
}

bool CRegistryProfileStore::WriteInt(const std::string& section, const std::string& name, int value) {
  HKEY key = SectionKey(section, true);
  if (!key) return false;
  DWORD dword = static_cast<DWORD>(value);
  return RegSetValueExW(key, wingui::WideFromAnsi(name).c_str(), 0, REG_DWORD,
                        reinterpret_cast<const BYTE*>(&dword), sizeof(dword)) == ERROR_SUCCESS;
}

bool CRegistryProfileStore::WriteString(const std::string& section, const std::string& name,
                                        const std::string& value) {
  HKEY key = SectionKey(section, true);
  if (!key) return false;
  const std::wstring wide = wingui::WideFromAnsi(value);
  return RegSetValueExW(key, wingui::WideFromAnsi(name).c_str(), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(wide.c_str()),
                        static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool CRegistryProfileStore::DeleteSection(const std::string& section) {
  CloseKeys();
  return RegDeleteKeyW(root_, KeyPath(section).c_str()) == ERROR_SUCCESS;
}

bool CRegistryProfileStore::DeleteProductKey() {
  CloseKeys();
  return RegDeleteKeyW(root_, product_path_.c_str()) == ERROR_SUCCESS;
}
