#pragma once
// The user settings store (the "registry"): values under a key path such as
// "Software\Vellora\Designer\Form".

#include <string>
#include <vector>

namespace vl {

class TvlSettingsStore {
 public:
  virtual ~TvlSettingsStore() = default;
  virtual bool ValueExists(const std::string& key, const std::string& name) = 0;
  virtual std::string ReadString(const std::string& key, const std::string& name,
                                 const std::string& fallback) = 0;
  virtual void WriteString(const std::string& key, const std::string& name,
                           const std::string& value) = 0;
  virtual int ReadInteger(const std::string& key, const std::string& name, int fallback) = 0;
  virtual void WriteInteger(const std::string& key, const std::string& name, int value) = 0;
  virtual bool ReadBool(const std::string& key, const std::string& name, bool fallback) = 0;
  virtual void WriteBool(const std::string& key, const std::string& name, bool value) = 0;
  virtual void DeleteKey(const std::string& key) = 0;
  // Names of the values directly under a key.
  virtual std::vector<std::string> ValueNames(const std::string& key) = 0;
};

}  // namespace vl
