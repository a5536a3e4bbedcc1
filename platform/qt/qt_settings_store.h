#pragma once
// The user settings store kept with QSettings under organisation "Vellora".
// Key paths use backslashes ("Software\Vellora\Designer"); they become groups.

#include <memory>

#include "platform/settings_store.h"

class QSettings;

namespace vl {

class TvlQtSettingsStore : public TvlSettingsStore {
 public:
  TvlQtSettingsStore();
  ~TvlQtSettingsStore() override;
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

 private:
  std::unique_ptr<QSettings> settings_;
};

}  // namespace vl
