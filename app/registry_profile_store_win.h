// The settings in the registry: HKEY_CURRENT_USER\Software\<company>\<product>\<section>,
// REG_DWORD and REG_SZ values through the W calls, names and texts converted from CP932.
#pragma once

#include <windows.h>

#include <map>
#include <string>

#include "base/profile_store.h"

class CRegistryProfileStore : public quorel::ProfileStore {
 public:
  // company and product are CP932 ("Yoveta Inc.", the application title).
  CRegistryProfileStore(const std::string& company, const std::string& product, HKEY root = HKEY_CURRENT_USER);
  ~CRegistryProfileStore() override;
  CRegistryProfileStore(const CRegistryProfileStore&) = delete;
  CRegistryProfileStore& operator=(const CRegistryProfileStore&) = delete;

  bool HasValue(const std::string& section, const std::string& name) override;
  int GetInt(const std::string& section, const std::string& name, int default_value) override;
  std::string GetString(const std::string& section, const std::string& name,
                        const std::string& default_value) override;
  bool WriteInt(const std::string& section, const std::string& name, int value) override;
  bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
  bool DeleteSection(const std::string& section) override;
  bool DeleteProductKey() override;

  // "Software\<company>\<product>" and, with a section, "...\<section>".
  std::wstring KeyPath(const std::string& section = std::string()) const;

 private:
  // The section's key, kept open for the next value; null when it does not
  // exist and `create` is false.
  HKEY SectionKey(const std::string& section, bool create);
  void CloseKeys();

  HKEY root_;
  std::map<std::string, HKEY> keys_;
  std::wstring product_path_;
};
