// The prepared-report file (.vlp): the current layout (with or without a
// version byte) and the legacy one whose pages are metafiles. The whole file
// is checked, a page at a time, before the store or the printer is touched,
// so a damaged file leaves nothing half loaded; a file loaded from disk
// keeps its page streams there.

#include <algorithm>
#include <optional>
#include <string_view>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/model/atomic_file.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/page_file.h"
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

}  // namespace

struct TvlParsedPreparedFile {
  std::optional<std::string> PrinterName;
  std::vector<std::unique_ptr<TvlPreparedPage>> Pages;
  std::vector<std::string> Metafiles;  // legacy layout: each page's picture
  std::optional<std::uint8_t> GeneratorVersion;
  std::uint8_t Compressed = 0;
  std::uint64_t End = 0;  // where the file's last byte read ends
};

namespace {

[[noreturn]] void Damaged(const char* what) { throw TvlStreamError(what); }

// The file's bytes while it is checked: in memory, or read piece by piece
// from the open file so that a file of any size needs memory for one page.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t Size() const = 0;
  // n bytes at offset (offset + n within Size()), valid until the next call.
  virtual std::string_view Read(std::uint64_t offset, std::size_t n) = 0;
};

class MemorySource : public ByteSource {
 public:
  MemorySource(const std::uint8_t* data, std::size_t size) : data_(reinterpret_cast<const char*>(data), size) {}
  std::uint64_t Size() const override { return data_.size(); }
  std::string_view Read(std::uint64_t offset, std::size_t n) override { return data_.substr(offset, n); }

 private:
  std::string_view data_;
};

class FileSource : public ByteSource {
 public:
  explicit FileSource(const TvlPageFile& file) : file_(file) {}
  std::uint64_t Size() const override { return file_.Size(); }
  std::string_view Read(std::uint64_t offset, std::size_t n) override {
    file_.Read(offset, n, buffer_);
    return buffer_;
  }

 private:
  const TvlPageFile& file_;
  std::string buffer_;
};

// The head (version, compression flag, printer name, page count) is read
// from a window of the file: a printer name longer than that is damage.
constexpr std::size_t kHeadWindow = std::size_t{1} << 20;

// Where the pages' streams stay: copied into the records, or left in the
// file (each record then names its place).
enum class StreamKeeping { InRecords, InFile };

// The page count, refused when the bytes left cannot hold that many records
// (before anything is allocated for them).
std::size_t ReadPageCount(TvlStreamReader& r, std::uint64_t remaining, std::size_t minRecord) {
  const std::int32_t count = r.ReadI32();
  if (count < 0 || static_cast<std::uint64_t>(count) > remaining / minRecord) Damaged("Bad page count");
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

// The pages of the current layout from position pos on, each record's
// fixed fields and stream read at their offsets and checked, so that only
// one page is in memory at a time.
void ReadCurrentPages(ByteSource& src, std::uint64_t pos, std::size_t count, bool withBin, StreamKeeping keeping,
                      TvlParsedPreparedFile& f) {
  const std::size_t fixed = withBin ? kMinPageRecordWithBin : kMinPageRecord;
  f.Pages.reserve(count);
  std::string plain;
  for (std::size_t k = 0; k < count; ++k) {
    if (src.Size() - pos < fixed) Damaged("Truncated page record");
    auto p = std::make_unique<TvlPreparedPage>();
    TvlStreamReader r(src.Read(pos, fixed).data(), fixed);
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
    const std::uint64_t dataStart = pos + fixed;
    if (end < dataStart || end > src.Size()) Damaged("Bad page end offset");
    const std::size_t length = static_cast<std::size_t>(end - dataStart);
    const std::string_view stored = src.Read(dataStart, length);
    if (f.Compressed != 0) {
      vlCompressor().Decompress(std::string(stored), plain);
    } else {
      plain.assign(stored);
    }
    // Every record must read as views now, not when the page is first drawn.
    vlReadPreparedViews(plain, [](std::unique_ptr<TvlView>) {});
    if (keeping == StreamKeeping::InRecords) {
      p->Stream.WriteBytes(plain);
    } else {
      p->SpillOffset = dataStart;
      p->SpillLength = length;
      p->InLoadedFile = true;
    }
    f.Pages.push_back(std::move(p));
    pos = end;
  }
  if (pos >= src.Size()) Damaged("Missing generator version");
  f.GeneratorVersion = static_cast<std::uint8_t>(src.Read(pos, 1)[0]);
  f.End = pos + 1;
}

// Files of earlier versions: a line list whose first line names the printer,
// then pages whose content is one metafile each. Read whole in memory.
void ReadLegacyLayout(TvlStreamReader& r, TvlParsedPreparedFile& f) {
  std::vector<std::string> lines;
  r.ReadStringListZ(lines);
  if (!lines.empty()) f.PrinterName = lines.front();
  const std::size_t count = ReadPageCount(r, r.Remaining(), kMinPageRecord);
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
  f.End = r.Position();
}

// The file from position start of the source on.
TvlParsedPreparedFile ParseFile(ByteSource& src, std::uint64_t start, StreamKeeping keeping) {
  TvlParsedPreparedFile f;
  if (start > src.Size()) Damaged("Empty file");
  const std::string_view head = src.Read(start, static_cast<std::size_t>(std::min<std::uint64_t>(src.Size() - start, kHeadWindow)));
  TvlStreamReader r(head.data(), head.size());
  int version = r.ReadByte();
  if (version < 24 || version > 31) {  // no version byte
    version = 0;
    r.Seek(0);
  }
  f.Compressed = r.ReadByte();
  if (f.Compressed == 0 || f.Compressed == 1 || f.Compressed == 255) {
    const bool withBin = version > 23;
    f.PrinterName = version >= 23 ? r.ReadString16() : r.ReadStringZ();
    const std::uint64_t afterCount = start + r.Position() + 4;
    const std::size_t count = ReadPageCount(r, src.Size() - std::min(src.Size(), afterCount),
                                            withBin ? kMinPageRecordWithBin : kMinPageRecord);
    ReadCurrentPages(src, afterCount, count, withBin, keeping, f);
  } else {
    // The legacy layout's end offsets count from the start of the source.
    const std::string_view whole = src.Read(0, static_cast<std::size_t>(src.Size()));
    TvlStreamReader all(whole.data(), whole.size());
    all.Seek(static_cast<std::size_t>(start));
    ReadLegacyLayout(all, f);
  }
  return f;
}

// The file parsed, or refused with the one message for every damage.
TvlParsedPreparedFile Parse(ByteSource& src, std::uint64_t start, StreamKeeping keeping) {
  try {
    return ParseFile(src, start, keeping);
  } catch (const TvlError&) {
    throw TvlError(vlLoadStr(str::kUnsupportedVlp));
  }
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
  MemorySource src(r.Data(), r.Size());
  TvlParsedPreparedFile f = Parse(src, r.Position(), StreamKeeping::InRecords);
  r.Seek(static_cast<std::size_t>(f.End));
  Adopt(f, nullptr);
}

void TvlEMFPages::Adopt(TvlParsedPreparedFile& f, std::unique_ptr<TvlPageFile> file) {
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
  loaded_ = std::move(file);
  loadedPacked_ = f.Compressed != 0;
  for (const auto& p : pages_)
    if (!p->Spilled()) Track(*p);
  SpillBeyondThreshold();
}

void TvlEMFPages::SaveToFile(const std::string& path) {
  TvlAtomicFile file(path);
  SaveTo([&file](std::string_view bytes) { file.Write(bytes); }, 0);
  file.Commit();
}

void TvlEMFPages::LoadFromFile(const std::string& path) {
  Clear();
  // Kept open: the pages are read from it when they are drawn.
  auto file = std::make_unique<TvlPageFile>(path);
  FileSource src(*file);
  TvlParsedPreparedFile f = Parse(src, 0, StreamKeeping::InFile);
  Adopt(f, std::move(file));
}

void TvlReport::LoadPreparedReport(const std::string& path) {
  EMFPages.LoadFromFile(path);
  Rebuildable = false;
}

void TvlReport::SavePreparedReport(const std::string& path) { EMFPages.SaveToFile(path); }

}  // namespace vl
