#include "app/vlreport/template_load.h"

#include "engine/core/error.h"
#include "engine/core/text.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "engine/core/project_texts.h"

namespace vl::cli {

// Engine messages end lines with a carriage return alone.
std::string MessageLines(std::string text) {
  std::string out;
  for (std::size_t k = 0; k < text.size(); ++k) {
    if (text[k] == '\r') {
      if (k + 1 < text.size() && text[k + 1] == '\n') ++k;
      if (k + 1 < text.size()) out += '\n';
    } else {
      out += text[k];
    }
  }
  return out;
}

namespace {

bool HasExtension(const std::string& path, const char* extension) {
  const std::string ext(extension);
  return path.size() >= ext.size() && vlSameText(path.substr(path.size() - ext.size()), ext);
}

}  // namespace

bool IsDictionaryFile(const std::string& path) { return HasExtension(path, ".vld"); }
bool IsPreparedReportFile(const std::string& path) { return HasExtension(path, ".vlp"); }

void LoadTemplate(TvlReport& report, const std::string& path, const std::string& password) {
  static TvlRecordingMessageBox box;
  box.Messages.clear();
  box.TextAnswers.clear();
  if (!password.empty()) box.TextAnswers.push_back(password);
  TvlMessageBox* previous = vlPlatform().MessageBox;
  vlInstallPlatform(TvlPlatform{&box, nullptr, nullptr, nullptr});
  bool exists = false;
  try {
    exists = report.LoadFromFile(path);
  } catch (...) {
    vlInstallPlatform(TvlPlatform{previous, nullptr, nullptr, nullptr});
    throw;
  }
  vlInstallPlatform(TvlPlatform{previous, nullptr, nullptr, nullptr});
  if (!exists) throw TvlError(vlTr("cannot open '%1'", {path}));
  switch (report.LastLoadStatus) {
    case TvlLoadStatus::Loaded:
    case TvlLoadStatus::Empty: return;
    case TvlLoadStatus::PasswordRefused:
      throw TvlError(password.empty() ? vlTr("the template is password protected: give --password")
                                      : vlTr("wrong password"));
    default:
      throw TvlError(MessageLines(box.Messages.empty() ? report.LastLoadMessage : box.Messages.back().Text));
  }
}

void LoadDictionary(TvlDataDictionary& dictionary, const std::string& path) {
  bool exists = false;
  try {
    exists = dictionary.LoadFromFile(path);
  } catch (const TvlError&) {
    throw TvlError(vlTr("'%1' is not a readable dictionary file", {path}));
  }
  if (!exists) throw TvlError(vlTr("cannot open '%1'", {path}));
}

}  // namespace vl::cli
