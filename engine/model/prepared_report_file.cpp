// The prepared-report file (.vlp): the current layout (with or without a
// version byte) and the legacy one whose pages are metafiles. The whole file
// is read and checked before the store or the printer is touched, so a
// damaged file leaves nothing half loaded.

#include <optional>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/model/atomic_file.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/picture_view.h"
#include "engine/model/prepared_pages.h"
#include "engine/model/print_sink.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/printer/printer.h"
#include "platform/metafile_player.h"

namespace vl {
namespace {

// Paper sizes beyond this (100 m) are damage, not paper; refusing them keeps
// the printer model's arithmetic in range.
constexpr std::int32_t kMaxPaperTenths = 1000000;

// The smallest page record of each layout: end offset, paper size, width,
// height, orientation, (bin,) margins-in-use byte (, margins).
constexpr std::size_t kMinPageRecord = 4 + 2 + 4 + 4 + 1 + 1;
constexpr std::size_t kMinPageRecordWithBin = kMinPageRecord + 4 + 16;

struct TvlParsedFile {
  std::optional<std::string> PrinterName;
  std::vector<std::unique_ptr<TvlPreparedPage>> Pages;
  std::vector<std::string> Metafiles;  // legacy layout: each page's picture
  std::optional<std::uint8_t> GeneratorVersion;
};

[[noreturn]] void Damaged(const char* what) { throw TvlStreamError(what); }

// The page count, refused when the bytes left cannot hold that many records
// (before anything is allocated for them).
std::size_t ReadPageCount(TvlStreamReader& r, std::size_t minRecord) {
  const std::int32_t count = r.ReadI32();
  if (count < 0 || static_cast<std::size_t>(count) > r.Remaining() / minRecord) Damaged("Bad page count");
  return static_cast<std::size_t>(count);
}

// The end offset of a record must lie between its fixed fields and the end
// of the file, so reading always moves forward.
std::size_t DataLength(const TvlStreamReader& r, std::uint32_t end) {
  if (end < r.Position() || end > r.Size()) Damaged("Bad page end offset");
  return end - r.Position();
}

void ReadPaper(TvlStreamReader& r, TvlPreparedPage& p) {
  p.PaperSize = r.ReadU16();
  p.PaperWidth = r.ReadI32();
  p.PaperHeight = r.ReadI32();
  p.Orientation = r.ReadByte();
  if (p.PaperWidth < 0 || p.PaperWidth > kMaxPaperTenths || p.PaperHeight < 0 || p.PaperHeight > kMaxPaperTenths)
    Damaged("Bad paper size");
}

void ReadCurrentLayout(TvlStreamReader& r, int version, std::uint8_t compressed, TvlParsedFile& f) {
  const bool withBin = version > 23;
  f.PrinterName = version >= 23 ? r.ReadString16() : r.ReadStringZ();
  const std::size_t count = ReadPageCount(r, withBin ? kMinPageRecordWithBin : kMinPageRecord);
  f.Pages.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    auto p = std::make_unique<TvlPreparedPage>();
    const std::uint32_t end = r.ReadU32();
    ReadPaper(r, *p);
    p->Bin = withBin ? r.ReadI32() : -1;
    p->UseMargins = r.ReadByte() != 0;
    if (withBin) {
      p->Margins.Left = vlBoundDistance(r.ReadI32());
      p->Margins.Top = vlBoundDistance(r.ReadI32());
      p->Margins.Right = vlBoundDistance(r.ReadI32());
      p->Margins.Bottom = vlBoundDistance(r.ReadI32());
    }
    std::string stream = r.ReadBytes(DataLength(r, end));
    if (compressed != 0) {
      std::string plain;
      vlCompressor().Decompress(stream, plain);
      stream = std::move(plain);
    }
    // Every record must read as views now, not when the page is first drawn.
    vlReadPreparedViews(stream, [](std::unique_ptr<TvlView>) {});
    p->Stream.WriteBytes(stream);
    f.Pages.push_back(std::move(p));
  }
  f.GeneratorVersion = r.ReadByte();
}

// Files of earlier versions: a line list whose first line names the printer,
// then pages whose content is one metafile each.
void ReadLegacyLayout(TvlStreamReader& r, TvlParsedFile& f) {
  std::vector<std::string> lines;
  r.ReadStringListZ(lines);
  if (!lines.empty()) f.PrinterName = lines.front();
  const std::size_t count = ReadPageCount(r, kMinPageRecord);
  f.Pages.reserve(count);
  f.Metafiles.reserve(count);
  for (std::size_t k = 0; k < count; ++k) {
    auto p = std::make_unique<TvlPreparedPage>();
    const std::uint32_t end = r.ReadU32();
    ReadPaper(r, *p);
    p->UseMargins = r.ReadByte() != 0;
    std::string picture = r.ReadBytes(DataLength(r, end));
    if (!vlIsMetafile(picture)) Damaged("A legacy page is not a metafile");
    f.Metafiles.push_back(std::move(picture));
    f.Pages.push_back(std::move(p));
  }
  if (!r.AtEnd()) f.GeneratorVersion = r.ReadByte();
}

TvlParsedFile ParseFile(TvlStreamReader& r) {
  TvlParsedFile f;
  const std::size_t start = r.Position();
  int version = r.ReadByte();
  if (version < 24 || version > 31) {  // no version byte
    version = 0;
    r.Seek(start);
  }
  const std::uint8_t compressed = r.ReadByte();
  if (compressed == 0 || compressed == 1 || compressed == 255) {
    ReadCurrentLayout(r, version, compressed, f);
  } else {
    r.Seek(start);
    ReadLegacyLayout(r, f);
  }
  return f;
}

// A legacy page's stream: the version byte and one picture view of the
// whole paper carrying the metafile.
void WriteMetafilePage(TvlPreparedPage& p, std::string metafile) {
  TvlPictureView picture;
  picture.Width = p.PaperMetrics.PaperWidthU;
  picture.Height = p.PaperMetrics.PaperHeightU;
  picture.Picture.Kind = gkMetafile;
  picture.Picture.Data.assign(metafile.begin(), metafile.end());
  p.Stream = TvlStreamWriter();
  p.Stream.WriteByte(kPreparedStreamVersion);
  TvlStreamPrintSink sink(p.Stream);
  sink.WriteByte(picture.Typ);
  sink.WriteViewData(picture);
}

}  // namespace

void TvlEMFPages::SaveTo(const std::function<void(std::string_view)>& put, std::size_t base) {
  // Written a page at a time, so that a store of a million pages (most of
  // them in the temporary file) never has to be whole in memory.
  TvlCompressor& compressor = vlCompressor();
  TvlStreamWriter w;
  w.WriteByte(kPreparedStreamVersion);
  w.WriteByte(compressor.Enabled ? 1 : 0);
  w.WriteString(vlPrinter().SelectedName());
  w.WriteI32(Count());
  for (int k = 0; k < Count(); ++k) {
    const TvlPreparedPage* p = pages_[static_cast<std::size_t>(k)].get();
    const std::size_t end = w.WriteOffsetPlaceholder();
    w.WriteU16(static_cast<std::uint16_t>(p->PaperSize));
    w.WriteI32(p->PaperWidth);
    w.WriteI32(p->PaperHeight);
    w.WriteByte(p->Orientation);
    w.WriteI32(p->Bin);
    w.WriteByte(p->UseMargins ? 1 : 0);
    w.WriteI32(p->Margins.Left);
    w.WriteI32(p->Margins.Top);
    w.WriteI32(p->Margins.Right);
    w.WriteI32(p->Margins.Bottom);
    if (compressor.Enabled) {
      std::string packed;
      compressor.Compress(StreamBytes(k), packed);
      w.WriteBytes(packed);
    } else {
      w.WriteBytes(StreamBytes(k));
    }
    w.PatchOffset(end, base);
    put(w.Bytes());
    base += w.Position();
    w = TvlStreamWriter();
  }
  w.WriteByte(report_ ? report_->GeneratorVersion : TvlReport::kGeneratorVersion);
  put(w.Bytes());
}

void TvlEMFPages::SaveToStream(TvlStreamWriter& w) {
  SaveTo([&w](std::string_view bytes) { w.WriteBytes(bytes); }, w.Position());
}

void TvlEMFPages::LoadFromStream(TvlStreamReader& r) {
  Clear();
  TvlParsedFile f;
  try {
    f = ParseFile(r);
  } catch (const TvlError&) {
    throw TvlError(vlLoadStr(str::kUnsupportedVlp));
  }
  // The file is sound: now the printer is chosen and each page's paper
  // metrics are taken from it.
  if (report_ && f.PrinterName) report_->ChangePrinter(*f.PrinterName);
  for (std::size_t k = 0; k < f.Pages.size(); ++k) {
    TvlPreparedPage& p = *f.Pages[k];
    vlApplyPagePaper(p.PaperSize, p.PaperWidth, p.PaperHeight, p.Orientation, p.Bin, p.PaperMetrics);
    if (k < f.Metafiles.size()) WriteMetafilePage(p, std::move(f.Metafiles[k]));
  }
  if (report_ && f.GeneratorVersion) report_->GeneratorVersion = *f.GeneratorVersion;
  pages_ = std::move(f.Pages);
  for (const auto& p : pages_) Track(*p);
  SpillBeyondThreshold();
}

void TvlEMFPages::SaveToFile(const std::string& path) {
  TvlAtomicFile file(path);
  SaveTo([&file](std::string_view bytes) { file.Write(bytes); }, 0);
  file.Commit();
}

void TvlEMFPages::LoadFromFile(const std::string& path) {
  Clear();
  std::string bytes;
  if (!vlReadFile(path, bytes)) throw TvlError("Cannot read file " + path);
  TvlStreamReader r(bytes, /*inMemory=*/false);
  LoadFromStream(r);
}

void TvlReport::LoadPreparedReport(const std::string& path) {
  EMFPages.LoadFromFile(path);
  Rebuildable = false;
}

void TvlReport::SavePreparedReport(const std::string& path) { EMFPages.SaveToFile(path); }

}  // namespace vl
