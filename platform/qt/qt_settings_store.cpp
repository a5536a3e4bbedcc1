#include "platform/qt/qt_settings_store.h"

#include <QSettings>

#include "platform/qt/qt_text.h"

namespace vl {
namespace {

QString Path(const std::string& key, const std::string& name) {
  QString k = vlToQt(key);
  k.replace('\\', '/');
  return name.empty() ? k : k + '/' + vlToQt(name);
}

}  // namespace

TvlQtSettingsStore::TvlQtSettingsStore()
    : settings_(std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                            QStringLiteral("Vellora"), QStringLiteral("Vellora"))) {}

TvlQtSettingsStore::~TvlQtSettingsStore() = default;

bool TvlQtSettingsStore::ValueExists(const std::string& key, const std::string& name) {
  return settings_->contains(Path(key, name));
}

std::string TvlQtSettingsStore::ReadString(const std::string& key, const std::string& name,
                                           const std::string& fallback) {
  const QVariant v = settings_->value(Path(key, name));
  return v.isValid() ? vlFromQt(v.toString()) : fallback;
}

void TvlQtSettingsStore::WriteString(const std::string& key, const std::string& name,
                                     const std::string& value) {
  settings_->setValue(Path(key, name), vlToQt(value));
}

int TvlQtSettingsStore::ReadInteger(const std::string& key, const std::string& name, int fallback) {
  bool ok = false;
  const int v = settings_->value(Path(key, name)).toInt(&ok);
  return ok ? v : fallback;
}

void TvlQtSettingsStore::WriteInteger(const std::string& key, const std::string& name, int value) {
  settings_->setValue(Path(key, name), value);
}

bool TvlQtSettingsStore::ReadBool(const std::string& key, const std::string& name, bool fallback) {
  return ReadInteger(key, name, fallback ? 1 : 0) != 0;
}

void TvlQtSettingsStore::WriteBool(const std::string& key, const std::string& name, bool value) {
  WriteInteger(key, name, value ? 1 : 0);
}

void TvlQtSettingsStore::DeleteKey(const std::string& key) { settings_->remove(Path(key, {})); }

std::vector<std::string> TvlQtSettingsStore::ValueNames(const std::string& key) {
  settings_->beginGroup(Path(key, {}));
  const QStringList keys = settings_->childKeys();
  settings_->endGroup();
  std::vector<std::string> names;
  for (const QString& k : keys) names.push_back(vlFromQt(k));
  return names;
}

}  // namespace vl
