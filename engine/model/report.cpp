#include "engine/model/report.h"

#include <sys/stat.h>

#include "engine/core/date_time.h"
#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/model/report_data_sources.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"

namespace vl {

TvlReport::TvlReport() : FileName(vlLoadStr(str::kUntitled)) {
  ReportCreateDate = ReportLastChange = vlNow();
}

TvlReport::~TvlReport() {
  TvlEngineState& st = vlState();
  if (st.CurReport == this) st.CurReport = nullptr;
  vlForgetDataSourcesOf(*this);
}

void TvlReport::Clear() {
  Pages.Clear();
  Dictionary.Clear();
  vlDataSourcesOf(*this).Clear();
  TwoPassReport = false;
  ClearInfo();
}

void TvlReport::ResetInfo() {
  ClearInfo();
  GeneratorVersion = kGeneratorVersion;
}

void TvlReport::ClearInfo() {
  ReportComment.clear();
  ReportName.clear();
  ReportAutor.clear();
  VMajor.clear();
  VMinor.clear();
  VRelease.clear();
  VBuild.clear();
  ReportCreateDate = ReportLastChange = vlNow();
  PasswordProtected = false;
  Password.clear();
}

void TvlReport::ChangePrinter(const std::string& name) {
  vlSelectPrinterByName(SelectPrinterWhenLoaded, name, PrinterName);
}

TvlView* TvlReport::FindObject(const std::string& name) const {
  for (int p = 0; p < Pages.Count(); ++p)
    if (TvlView* v = Pages[p]->FindObject(name)) return v;
  return nullptr;
}

void TvlReport::Fail(TvlLoadStatus status, const std::string& text) {
  // A file that cannot be read is named, so the user knows which one.
  const std::string& file = vlTemplateFileInUse();
  const bool namesFile = !file.empty() && status != TvlLoadStatus::MissingClasses;
  const std::string message = namesFile ? file + ": " + text : text;
  LastLoadStatus = status;
  LastLoadMessage = message;
  vlShowMessage(message, vlLoadStr(str::kError), TvlMsgIcon::Error);
}

void TvlReport::LoadFromStream(TvlStreamReader& r) {
  TvlEngineState& st = vlState();
  st.CurReport = this;
  Dictionary.Clear();
  LastLoadStatus = TvlLoadStatus::Loaded;
  LastLoadMessage.clear();
  if (r.AtEnd()) {
    LastLoadStatus = TvlLoadStatus::Empty;
    return;
  }
  const std::size_t start = r.Position();
  int v = r.ReadByte();
  if (v <= 20) {  // the stream predates the version byte
    v = 21;
    r.Seek(start);
  }
  st.ClearError();
  if (v > kCurrentStreamVersion) {
    Fail(TvlLoadStatus::NewerVersion, vlLoadStr(str::kUnsupportedFormat));
    return;
  }
  st.StreamVersion = v;
  try {
    Pages.LoadFromStream(r);
    if (!r.AtEnd())
      ReadInfo(r);
    else
      ResetInfo();
  } catch (const TvlClassNotFoundError&) {
    // The pages read stay without the missing views; the information block is
    // not read, so no password is asked.
    Fail(TvlLoadStatus::MissingClasses, vlLoadStr(str::kMissingClasses) + "\r" + st.ErrorText +
                                            vlLoadStr(str::kIncludeClasses));
    return;
  } catch (const std::exception&) {
    Pages.Clear();
    Pages.Add();
    Fail(TvlLoadStatus::Unsupported, vlLoadStr(str::kUnsupportedFormat));
    return;
  }
  if (PasswordProtected && !r.InMemory() && !CheckPassword()) {
    ResetInfo();
    FileName = vlLoadStr(str::kUntitled);
    Pages.Clear();
    Pages.Add();
    LastLoadStatus = TvlLoadStatus::PasswordRefused;
  }
}

bool TvlReport::CheckPassword() {
  std::string entered;
  if (!vlPlatform().MessageBox->PasswordPrompt(vlLoadStr(str::kPasswordCaption),
                                               vlLoadStr(str::kPasswordPrompt), entered))
    return false;
  return entered == Password;
}

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  throw TvlStreamError("Bad password digits");
}

}  // namespace

void TvlReport::ReadInfo(TvlStreamReader& r) {
  ReportComment = r.ReadInfoString();
  ReportName = r.ReadInfoString();
  ReportAutor = r.ReadInfoString();
  VMajor = r.ReadInfoString();
  VMinor = r.ReadInfoString();
  VRelease = r.ReadInfoString();
  VBuild = r.ReadInfoString();
  const std::string hex = r.ReadInfoString();
  Password.clear();
  for (std::size_t k = 0; k + 1 < hex.size(); k += 2)
    Password.push_back(static_cast<char>(HexDigit(hex[k]) * 16 + HexDigit(hex[k + 1])));
  GeneratorVersion = r.ReadByte();
  PasswordProtected = r.ReadByte() != 0;
  ReportCreateDate = r.ReadDouble();
  ReportLastChange = r.ReadDouble();
}

void TvlReport::WriteInfo(TvlStreamWriter& w) {
  w.WriteInfoString(ReportComment);
  w.WriteInfoString(ReportName);
  w.WriteInfoString(ReportAutor);
  w.WriteInfoString(VMajor);
  w.WriteInfoString(VMinor);
  w.WriteInfoString(VRelease);
  w.WriteInfoString(VBuild);
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string hex;
  hex.reserve(Password.size() * 2);
  for (unsigned char c : Password) {
    hex.push_back(kHex[c >> 4]);
    hex.push_back(kHex[c & 15]);
  }
  w.WriteInfoString(hex);
  GeneratorVersion = kGeneratorVersion;
  w.WriteByte(GeneratorVersion);
  w.WriteByte(PasswordProtected ? 1 : 0);
  w.WriteDouble(ReportCreateDate);
  ReportLastChange = vlNow();
  w.WriteDouble(ReportLastChange);
}

void TvlReport::SaveToStream(TvlStreamWriter& w) {
  TvlEngineState& st = vlState();
  st.CurReport = this;
  st.StreamVersion = kCurrentStreamVersion;
  w.WriteByte(kCurrentStreamVersion);
  Pages.SaveToStream(w);
  w.WriteByte(kRecEnd);
  WriteInfo(w);
}

bool TvlReport::LoadFromFile(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) return false;
  std::string bytes;
  try {
    if (!vlReadFile(path, bytes)) return false;
  } catch (const TvlError& e) {
    Fail(TvlLoadStatus::Unsupported, e.what());
    return true;
  }
  TvlStreamReader r(bytes, /*inMemory=*/false);
  {
    const TvlTemplateFileScope file(path);
    LoadFromStream(r);
  }
  if (LastLoadStatus != TvlLoadStatus::PasswordRefused) FileName = path;
  return true;
}

void TvlReport::SaveToFile(const std::string& path) {
  TvlStreamWriter w;
  {
    const TvlTemplateFileScope file(path);
    SaveToStream(w);
  }
  vlWriteFileAtomically(path, w.Bytes());
}

void TvlReport::WriteReportForm(TvlStreamWriter& w) {
  w.WriteI32(kCurrentStreamVersion);
  if (!StoreInDFM) return;
  TvlStreamWriter tpl;
  SaveToStream(tpl);
  if (tpl.Bytes().size() > 0x7FFFFFFF) throw TvlStreamError("The template is too large to embed");
  w.WriteI32(static_cast<std::int32_t>(tpl.Bytes().size()));
  w.WriteBytes(tpl.Bytes());
}

void TvlReport::ReadReportForm(TvlStreamReader& r) {
  r.ReadI32();
  if (!StoreInDFM) return;
  const std::int32_t n = r.ReadI32();
  if (n < 0 || static_cast<std::size_t>(n) > r.Remaining())
    throw TvlStreamError("Bad embedded template length");
  heldForm_ = std::make_unique<std::string>(r.ReadBytes(static_cast<std::size_t>(n)));
}

void TvlReport::Loaded() {
  if (!heldForm_) return;
  std::unique_ptr<std::string> held = std::move(heldForm_);
  if (!StoreInDFM) return;
  TvlStreamReader r(*held, /*inMemory=*/true);
  LoadFromStream(r);
}

}  // namespace vl
