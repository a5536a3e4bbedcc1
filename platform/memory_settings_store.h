#pragma once
// A settings store held in a map, for tests and for runs without a desktop.

#include <map>
#include <string>

#include "platform/settings_store.h"

namespace vl {

class TvlMemorySettingsStore : public TvlSettingsStore {
 public:
  bool ValueExists(const std::string& key, const std::string& name) override;
  std::string ReadString(const std::string& key, const std::string& name,
                         const std::string& fallback) override;
  void WriteString(const std::string& key, const std::string& name, const std::string& value) override;
  int ReadInteger(const std::string& key, const std::string& name, int fallback) override;
  void WriteInteger(const std::string& key, const std::string& name, int value) override;
  bool ReadBool(const std::string& key, const std::string& name, bool fallback) override;
  void WriteBool(const std::string& key, const std::string& name, bool value) override;
  void DeleteKey(const std::string& key) override;
  std::vector<std::string> ValueNames(const std::string& key) override;

  // Full path (key + "\" + name) to text; integers and booleans as decimal text.
  std::map<std::string, std::string> Values;
};

}  // namespace vl
