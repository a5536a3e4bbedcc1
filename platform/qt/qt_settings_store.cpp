#include "platform/qt/qt_settings_store.h"

#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include "platform/qt/qt_text.h"
#include "engine/core/project_texts.h"

namespace vl {
namespace {

QString Path(const std::string& key, const std::string& name) {
  QString k = vlToQt(key);
  k.replace('\\', '/');
  return name.empty() ? k : k + '/' + vlToQt(name);
}

// True when the INI text holds a NUL byte, or a line that is neither blank,
// a comment, a [section] nor key=value: QSettings drops such lines unseen.
bool LooksDamaged(const QByteArray& text) {
  if (text.contains('\0')) return true;
  for (const QByteArray& raw : text.split('\n')) {
    const QByteArray line = raw.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#') || line.contains('=')) continue;
    if (line.startsWith('[') && line.endsWith(']')) continue;
    return true;
  }
  return false;
}

}  // namespace

TvlQtSettingsStore::TvlQtSettingsStore() {
  const QString file = QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellora"),
                                 QStringLiteral("Vellora"))
                           .fileName();
  SetAsideIfDamaged(file);
  settings_ = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Vellora"),
                                          QStringLiteral("Vellora"));
}

TvlQtSettingsStore::TvlQtSettingsStore(const QString& iniFile) {
  SetAsideIfDamaged(iniFile);
  settings_ = std::make_unique<QSettings>(iniFile, QSettings::IniFormat);
}

void TvlQtSettingsStore::SetAsideIfDamaged(const QString& file) {
  QFile in(file);
  if (!QFileInfo(file).isFile() || !in.open(QIODevice::ReadOnly)) return;
  // Settings files are small; a huge one is damaged too.
  constexpr qint64 kMaxSettingsBytes = qint64{16} << 20;
  const bool damaged = in.size() > kMaxSettingsBytes || LooksDamaged(in.read(kMaxSettingsBytes));
  in.close();
  if (!damaged && QSettings(file, QSettings::IniFormat).status() == QSettings::NoError) return;
  QString copy = file + QStringLiteral(".damaged");
  for (int n = 2; QFileInfo::exists(copy); ++n) copy = file + QStringLiteral(".damaged-%1").arg(n);
  if (!QFile::rename(file, copy)) {
    notice_ = vlTr("The settings file %1 is damaged and could not be set aside; settings may be lost when they are saved.",
                   {vlFromQt(file)});
    return;
  }
  notice_ = vlTr("The settings file %1 was damaged. It was kept as %2 and the settings start from their defaults.",
                 {vlFromQt(file), vlFromQt(copy)});
}

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
