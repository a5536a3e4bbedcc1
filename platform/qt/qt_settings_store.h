#pragma once
// The user settings store kept with QSettings under organisation "Vellora".
// Key paths use backslashes ("Software\Vellora\Designer"); they become groups.
//
// A settings file that cannot be read whole (QSettings would silently drop
// what it cannot parse at the next write) is moved aside as a copy beside
// it, the store starts from the defaults, and Notice() says so.

#include <memory>
#include <string>

#include <QString>

#include "platform/settings_store.h"

class QSettings;

namespace vl {

class TvlQtSettingsStore : public TvlSettingsStore {
 public:
  TvlQtSettingsStore();
  // The settings in an INI file of that name.
  explicit TvlQtSettingsStore(const QString& iniFile);
  ~TvlQtSettingsStore() override;
  // What the user should be told about the settings file once; empty when
  // it was sound.
  const std::string& Notice() const { return notice_; }
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
  void SetAsideIfDamaged(const QString& file);

  std::unique_ptr<QSettings> settings_;
  std::string notice_;
};

}  // namespace vl
