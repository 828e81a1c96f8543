// The store of named settings values: sections holding 32-bit integers and
// texts (CP932 bytes), as the registry holds REG_DWORD and REG_SZ values.
// The settings record is read and written only through this interface.
#pragma once

#include <string>

namespace quorel {

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;

  // True when the value is present, of either type.
  virtual bool HasValue(const std::string& section, const std::string& name) = 0;
  // An absent value, or one of the other type, reads as the default.
  virtual int GetInt(const std::string& section, const std::string& name, int default_value) = 0;
  virtual std::string GetString(const std::string& section, const std::string& name,
                                const std::string& default_value) = 0;
  // False when the value could not be stored.
  virtual bool WriteInt(const std::string& section, const std::string& name, int value) = 0;
  virtual bool WriteString(const std::string& section, const std::string& name,
                           const std::string& value) = 0;
  // Removes one section, or the product's own key when it holds no sections any more.
  virtual bool DeleteSection(const std::string& section) = 0;
  virtual bool DeleteProductKey() = 0;
};

}  // namespace quorel
