#pragma once
// The prepared pages store: the output of preparation as compact page records
// (paper settings and a stream of view records in printing form), expanded
// into views only while a page is drawn, hit-tested or edited. Saved to and
// loaded from the prepared-report file (.vlp).

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/model/page.h"
#include "engine/model/page_file.h"
#include "engine/model/page_spill.h"
#include "engine/model/stream_writer.h"
#include "engine/printer/paper_metrics.h"
#include "platform/cursor.h"
#include "platform/graphics_types.h"

namespace vl {

class TvlCanvas;
class TvlReport;
class TvlStreamReader;
struct TvlParsedPreparedFile;

// The version byte that starts every page's object stream and the file.
inline constexpr std::uint8_t kPreparedStreamVersion = 25;

// One prepared page. The fields are ordered so that the record packs
// tightly: a run of a million pages holds a million of them.
struct TvlPreparedPage {
  TvlRect LayoutRect;               // where the preview placed the page, preview pixels
  std::int32_t PaperSize = 9;       // paper code of the printer model (16 bits in the file)
  std::int32_t PaperWidth = 0;      // tenths of a millimetre
  std::int32_t PaperHeight = 0;
  std::int32_t Bin = -1;            // -1 when the file did not store it
  TvlRect Margins;                  // page units
  TvlPaperMetrics PaperMetrics;
  TvlStreamWriter Stream;           // the version byte 25, then view records
  std::unique_ptr<TvlPage> Page;    // the records as views, while expanded
  // While the stream is not in memory (Stream is then empty): where it is
  // and how long, in the store's temporary file or, for a page loaded from
  // a prepared-report file, in that file as stored there. Read it through
  // the store's StreamBytes and StreamOf, which know.
  static constexpr std::uint64_t kInMemory = ~std::uint64_t{0};
  std::uint64_t SpillOffset = kInMemory;
  std::uint32_t SpillLength = 0;
  std::uint8_t Orientation = 0;     // 0 portrait, 1 landscape
  bool UseMargins = true;           // false when stretched to the printable area
  bool Visible = false;             // set while the page is to be drawn
  bool InLoadedFile = false;        // the stream waits in the loaded file
  bool Spilled() const noexcept { return SpillOffset != kInMemory; }
};

// Compresses page streams on save and decompresses them on load. The one the
// engine starts with is the plain one: disabled, and both operations hand the
// bytes on unchanged, so a file saved with the flag set still reads back.
class TvlCompressor {
 public:
  virtual ~TvlCompressor() = default;
  bool Enabled = false;
  virtual void Compress(const std::string& source, std::string& destination);
  virtual void Decompress(const std::string& source, std::string& destination);
};
// The compressor in force (never null); installing nullptr restores the plain one.
TvlCompressor& vlCompressor();
void vlInstallCompressor(TvlCompressor* compressor);

// What a hit test found.
struct TvlHitResult {
  bool Handled = false;
  std::string LinkText;  // a URL view's tag handed back to the caller
  TvlCursor Cursor = crDefault;
};

// The addresses a URL view may hand to the platform shell: http:// and
// https:// ones. Anything else (a path, a program, a file: address) would
// make a prepared-report file run what it names.
bool vlIsWebAddress(const std::string& text);

// The store keeps the streams of finished pages in memory up to a threshold
// and sets the oldest aside in a nameless temporary file beyond it, so that a
// run of a million envelopes needs memory for the page records only. A store
// loaded from a file keeps the file open and reads each page's stream from
// it when asked, so loading a file of any size needs the same.
class TvlEMFPages {
 public:
  // 32 MB: with a million page records beside them, a run of a million
  // envelopes stays within 300 MB.
  static constexpr std::size_t kDefaultSpillThreshold = std::size_t{32} << 20;

  explicit TvlEMFPages(TvlReport* report) : report_(report) {}
  TvlEMFPages(const TvlEMFPages&) = delete;
  TvlEMFPages& operator=(const TvlEMFPages&) = delete;
  ~TvlEMFPages();

  // Page streams beyond this many bytes in memory (their buffers' sizes) go
  // to the temporary file.
  void SetSpillThreshold(std::size_t bytes) { spillThreshold_ = bytes; }
  // Bytes written to the temporary file so far.
  std::uint64_t SpilledBytes() const noexcept;
  // Bytes of page streams held in memory by the store (expanded pages and
  // the read buffers aside).
  std::size_t ResidentBytes() const noexcept { return residentBytes_; }
  // The page's stream for reading, read back from the temporary file into a
  // buffer that the next call reuses when the page was set aside.
  const std::string& StreamBytes(int index);
  // The page's stream for writing, brought back into memory first.
  TvlStreamWriter& StreamOf(int index);

  int Count() const noexcept { return static_cast<int>(pages_.size()); }
  TvlPreparedPage& operator[](int index) { return *pages_.at(static_cast<std::size_t>(index)); }
  const TvlPreparedPage& operator[](int index) const { return *pages_.at(static_cast<std::size_t>(index)); }
  TvlReport* Report() const noexcept { return report_; }

  void Clear();
  // A new record at index (appended when index >= Count()) with the template
  // page's paper, margins and metrics and a stream holding only the version byte.
  void Insert(int index, const TvlPage& templatePage);
  // Appends a page and fires the current report's OnBeginPage with PageNo.
  void Add(const TvlPage& templatePage);
  // Drops the record with its stream and expanded page; an index out of
  // range does nothing.
  void Delete(int index);
  // Exchanges the pages with another store (the preview takes a report's
  // pages and gives them back); each store keeps its report.
  void Swap(TvlEMFPages& other) noexcept;

  // The page's views (created from the stream when needed; text views with
  // automatic width are settled on the scratch canvas). A damaged record
  // raises TvlError and leaves the page unexpanded.
  TvlPage* Expand(int index);
  // Rewrites the stream from the expanded page's views (after editing).
  void WriteBack(int index);
  // Draws the page into rectangle r of the canvas; a page whose Visible flag
  // is clear only loses its expanded form. A page whose record cannot be read
  // draws nothing.
  void Draw(int index, TvlCanvas& canvas, const TvlRect& r);
  // Hands every view of the page to the report's view consumer (export);
  // the expanded page is not touched. A damaged record raises TvlError.
  void PassObjects(int index);
  // Point p is in page units of the caller's page rectangle. URL views open
  // web addresses through the platform shell and hand any other tag back as
  // link text.
  TvlHitResult HitTest(int index, TvlPoint p, bool isClick);

  // The prepared-report file. Loading clears the store first; a damaged or
  // truncated file leaves the store empty and raises TvlError ("Unsupported
  // VLP format"); nothing is read past the end of the file. Every page is
  // read and checked while loading, one at a time; a store loaded from a
  // file reads the pages' streams from it again when they are drawn. A file
  // that cannot be read or written raises TvlError with the reason.
  void SaveToStream(TvlStreamWriter& w);
  void LoadFromStream(TvlStreamReader& r);
  void SaveToFile(const std::string& path);
  void LoadFromFile(const std::string& path);

 private:
  TvlPreparedPage* At(int index) noexcept;
  // The file's bytes in pieces to put; base is where the first piece lands.
  void SaveTo(const std::function<void(std::string_view)>& put, std::size_t base);
  // A page whose stream is finished may be set aside from now on.
  void Track(TvlPreparedPage& page);
  void SpillBeyondThreshold();
  // Takes the pages of a checked file; file is the one their streams stay
  // in (null when they were copied into the records).
  void Adopt(TvlParsedPreparedFile& f, std::unique_ptr<TvlPageFile> file);

  std::vector<std::unique_ptr<TvlPreparedPage>> pages_;
  TvlReport* report_;
  std::unique_ptr<TvlPageSpill> spill_;
  std::deque<TvlPreparedPage*> resident_;  // tracked pages in memory, oldest first
  std::size_t residentBytes_ = 0;
  std::size_t spillThreshold_ = kDefaultSpillThreshold;
  std::unique_ptr<TvlPageFile> loaded_;  // the file the pages were loaded from
  bool loadedPacked_ = false;              // its streams went through the compressor
  std::string readBuffer_;
  std::string packedBuffer_;
};

// Reads a page's object stream (the version byte, then records to the end)
// and hands each view to take, with PrintingForm off. An empty stream holds
// no views. The engine's stream version and error state are as before
// afterwards; a damaged record raises TvlError.
void vlReadPreparedViews(const std::string& stream, const std::function<void(std::unique_ptr<TvlView>)>& take);

}  // namespace vl
