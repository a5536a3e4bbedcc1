#include "designer/designer_template_file.h"

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/core/project_texts.h"

namespace vl {

namespace {

std::string ReadWhole(const std::string& path) {
  std::string bytes;
  if (!vlReadFile(path, bytes)) throw TvlError(vlTr("Cannot open file %1", {path}));
  return bytes;
}

// Reads the fields before the pages block; the reader stands at the block's
// offset afterwards.
TvlDesignerTemplateInfo ReadHead(TvlStreamReader& r) {
  TvlDesignerTemplateInfo info;
  r.ReadStringList(info.Description);
  const std::uint32_t offset = r.ReadU32();
  if (r.ReadByte() == 1) {
    // A bitmap file: "BM" and its whole size in the header.
    const std::size_t start = r.Position();
    if (r.ReadByte() != 'B' || r.ReadByte() != 'M') throw TvlStreamError("Bad template picture");
    const std::uint32_t size = r.ReadU32();
    if (size < 6) throw TvlStreamError("Bad template picture");
    r.Seek(start);
    info.Picture = r.ReadBytes(size);
  }
  if (offset < r.Position() || offset > r.Size()) throw TvlStreamError("Bad pages offset");
  r.Seek(offset);
  return info;
}

// The engine's stream version set to the current one for the length of a
// read or write, and put back afterwards.
class TvlCurrentVersion {
 public:
  TvlCurrentVersion() : saved_(vlState().StreamVersion) { vlState().StreamVersion = kCurrentStreamVersion; }
  ~TvlCurrentVersion() { vlState().StreamVersion = saved_; }

 private:
  int saved_;
};

}  // namespace

void vlSaveDesignerTemplate(const std::string& path, TvlReport& report, const TvlDesignerTemplateInfo& info) {
  TvlCurrentVersion version;
  vlState().CurReport = &report;
  TvlStreamWriter w;
  w.WriteStringList(info.Description);
  const std::size_t offset = w.WriteOffsetPlaceholder();
  w.WriteByte(info.Picture.empty() ? 0 : 1);
  w.WriteBytes(info.Picture);
  w.PatchOffset(offset);
  report.Pages.SaveToStream(w);
  w.WriteByte(kRecEnd);
  vlWriteFileAtomically(path, w.Bytes());
}

TvlDesignerTemplateInfo vlReadDesignerTemplateInfo(const std::string& path) {
  TvlCurrentVersion version;
  const std::string bytes = ReadWhole(path);
  TvlStreamReader r(bytes);
  return ReadHead(r);
}

void vlLoadDesignerTemplate(const std::string& path, TvlReport& report) {
  TvlCurrentVersion version;
  const std::string bytes = ReadWhole(path);
  // The report is kept whole until the template has been read.
  TvlStreamWriter backup;
  report.SaveToStream(backup);
  vlState().StreamVersion = kCurrentStreamVersion;
  try {
    TvlStreamReader r(bytes);
    ReadHead(r);
    vlState().ClearError();
    report.Pages.LoadFromStream(r);
  } catch (const TvlError&) {
    vlState().ClearError();
    TvlStreamReader restore(backup.Bytes());
    report.LoadFromStream(restore);
    throw TvlError(vlLoadStr(str::kUnsupportedFormat));
  }
}

}  // namespace vl
