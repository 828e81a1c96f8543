// A profile store kept in memory, with a text form for files:
//   [Section]
//   name=dword:N
//   name=sz:text        (text escaped: \\ \n \r \t)
// Files are CP932; a file that starts with a UTF-8 byte-order mark is UTF-8
// and is converted on the host build. Used by tests and by host tools.
#pragma once

#include <map>
#include <string>
#include <utility>

#include "base/file_system.h"
#include "base/profile_store.h"

namespace quorel {

class FileProfileStore : public ProfileStore {
 public:
  struct Value {
    bool is_dword = false;
    int dword = 0;
    std::string text;
    bool operator==(const Value& o) const {
      return is_dword == o.is_dword && (is_dword ? dword == o.dword : text == o.text);
    }
  };
  using Section = std::map<std::string, Value>;

  bool HasValue(const std::string& section, const std::string& name) override { return Has(section, name); }
  int GetInt(const std::string& section, const std::string& name, int default_value) override;
  std::string GetString(const std::string& section, const std::string& name,
                        const std::string& default_value) override;
  bool WriteInt(const std::string& section, const std::string& name, int value) override;
  bool WriteString(const std::string& section, const std::string& name, const std::string& value) override;
  bool DeleteSection(const std::string& section) override;
  bool DeleteProductKey() override;

  bool Has(const std::string& section, const std::string& name) const;
  const Value* Find(const std::string& section, const std::string& name) const;
  const std::map<std::string, Section>& sections() const { return sections_; }
  bool product_key_deleted() const { return product_key_deleted_; }

  // Text form. Parse replaces the contents; lines it cannot read are skipped
  // and counted in *bad_lines (when given).
  void Parse(const std::string& bytes, int* bad_lines = nullptr);
  std::string Format() const;

  // Files: Load gives false when the file cannot be read (the store stays empty);
  // Save writes a new file and renames it over the old one, so that the file is
  // always whole, old or new. The forms without a file system use the C library
  // (host tools): where its rename cannot replace a file, saving fails and the
  // old file stays.
  bool LoadFile(const std::string& path);
  bool SaveFile(const std::string& path) const;
  bool LoadFile(FileSystem& fs, const std::string& path);
  bool SaveFile(FileSystem& fs, const std::string& path) const;

 private:
  std::map<std::string, Section> sections_;
  bool product_key_deleted_ = false;
};

}  // namespace quorel
