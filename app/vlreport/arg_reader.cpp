#include "app/vlreport/command.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

bool ArgReader::Has(const std::string& name) const {
  for (const std::string& a : args_)
    if (a == name) return true;
  return false;
}

bool ArgReader::Flag(const std::string& name) {
  bool found = false;
  for (std::size_t k = 0; k < args_.size(); ++k)
    if (!used_[k] && args_[k] == name) {
      used_[k] = true;
      found = true;
    }
  return found;
}

std::string ArgReader::Option(const std::string& name, const std::string& fallback) {
  const Args all = Options(name);
  return all.empty() ? fallback : all.back();
}

Args ArgReader::Options(const std::string& name) {
  Args values;
  for (std::size_t k = 0; k < args_.size(); ++k) {
    if (used_[k] || args_[k] != name) continue;
    if (k + 1 >= args_.size()) throw UsageError{vlTr("%1 needs a value", {name})};
    used_[k] = used_[k + 1] = true;
    values.push_back(args_[k + 1]);
  }
  return values;
}

Args ArgReader::Positional() const {
  Args rest;
  for (std::size_t k = 0; k < args_.size(); ++k)
    if (!used_[k]) {
      if (args_[k].size() > 2 && args_[k].rfind("--", 0) == 0)
        throw UsageError{vlTr("unknown option %1", {args_[k]})};
      rest.push_back(args_[k]);
    }
  return rest;
}

}  // namespace vl::cli
