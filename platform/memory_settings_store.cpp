#include "platform/memory_settings_store.h"

#include <cstdlib>

namespace vl {
namespace {
std::string Path(const std::string& key, const std::string& name) { return key + "\\" + name; }
}  // namespace

bool TvlMemorySettingsStore::ValueExists(const std::string& key, const std::string& name) {
  return Values.count(Path(key, name)) != 0;
}

std::string TvlMemorySettingsStore::ReadString(const std::string& key, const std::string& name,
                                               const std::string& fallback) {
  auto it = Values.find(Path(key, name));
  return it == Values.end() ? fallback : it->second;
}

void TvlMemorySettingsStore::WriteString(const std::string& key, const std::string& name,
                                         const std::string& value) {
  Values[Path(key, name)] = value;
}

int TvlMemorySettingsStore::ReadInteger(const std::string& key, const std::string& name, int fallback) {
  auto it = Values.find(Path(key, name));
  if (it == Values.end()) return fallback;
  char* end = nullptr;
  const long v = std::strtol(it->second.c_str(), &end, 10);
  return (end && *end == 0 && !it->second.empty()) ? static_cast<int>(v) : fallback;
}

void TvlMemorySettingsStore::WriteInteger(const std::string& key, const std::string& name, int value) {
  Values[Path(key, name)] = std::to_string(value);
}

bool TvlMemorySettingsStore::ReadBool(const std::string& key, const std::string& name, bool fallback) {
  return ReadInteger(key, name, fallback ? 1 : 0) != 0;
}

void TvlMemorySettingsStore::WriteBool(const std::string& key, const std::string& name, bool value) {
  WriteInteger(key, name, value ? 1 : 0);
}

void TvlMemorySettingsStore::DeleteKey(const std::string& key) {
  const std::string prefix = key + "\\";
  for (auto it = Values.lower_bound(prefix); it != Values.end() && it->first.rfind(prefix, 0) == 0;)
    it = Values.erase(it);
}

std::vector<std::string> TvlMemorySettingsStore::ValueNames(const std::string& key) {
  std::vector<std::string> names;
  const std::string prefix = key + "\\";
  for (auto it = Values.lower_bound(prefix); it != Values.end() && it->first.rfind(prefix, 0) == 0; ++it) {
    const std::string rest = it->first.substr(prefix.size());
    if (rest.find('\\') == std::string::npos) names.push_back(rest);
  }
  return names;
}

}  // namespace vl
