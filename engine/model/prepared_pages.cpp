// The prepared pages store: page records, their expansion into views and
// back, and handing the views to an export consumer.

#include "engine/model/prepared_pages.h"

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/memo_view.h"
#include "engine/model/object_factory.h"
#include "engine/model/page_spill.h"
#include "engine/model/print_sink.h"
#include "engine/model/report.h"
#include "engine/model/scratch_canvas.h"
#include "engine/model/stream_reader.h"

namespace vl {

void TvlCompressor::Compress(const std::string& source, std::string& destination) { destination = source; }
void TvlCompressor::Decompress(const std::string& source, std::string& destination) { destination = source; }

namespace {

TvlCompressor g_plainCompressor;
TvlCompressor* g_compressor = &g_plainCompressor;

// Reading a page's records sets the engine's stream version and, for an
// unregistered add-in class, its error text; neither belongs to whoever
// asked for the page, so both are put back.
class ReadStateScope {
 public:
  ReadStateScope()
      : version_(vlState().StreamVersion), errorFlag_(vlState().ErrorFlag), errorText_(vlState().ErrorText) {}
  ~ReadStateScope() {
    TvlEngineState& st = vlState();
    st.StreamVersion = version_;
    st.ErrorFlag = errorFlag_;
    st.ErrorText = std::move(errorText_);
  }
  ReadStateScope(const ReadStateScope&) = delete;
  ReadStateScope& operator=(const ReadStateScope&) = delete;

 private:
  int version_;
  bool errorFlag_;
  std::string errorText_;
};

// The lowest stream version whose records this engine reads.
constexpr int kOldestStreamVersion = 21;

// A text view that sizes itself to its text is drawn once on the scratch
// canvas, in printing mode at scale 1, so that its size is settled before
// anything measures, draws or hit-tests it. The draw aligns it on page.
void SettleAutoWidth(TvlView& v, TvlPage* page) {
  if (!(v.Flags & flAutoWidth)) return;
  auto* memo = dynamic_cast<TvlMemoView*>(&v);
  if (!memo) return;
  TvlEngineState& st = vlState();
  struct Restore {
    TvlEngineState& st;
    TvlDocMode mode = st.DocMode;
    TvlPage* curPage = st.CurPage;
    TvlView* curView = st.CurView;
    ~Restore() {
      st.DocMode = mode;
      st.CurPage = curPage;
      st.CurView = curView;
    }
  } restore{st};
  st.DocMode = TvlDocMode::dmPrinting;
  st.CurPage = page;
  memo->DrawScaleX = memo->DrawScaleY = 1.0;
  memo->DrawOffsetX = memo->DrawOffsetY = 0;
  memo->Draw(vlScratchCanvas());
}

}  // namespace

TvlCompressor& vlCompressor() { return *g_compressor; }
void vlInstallCompressor(TvlCompressor* compressor) {
  g_compressor = compressor ? compressor : &g_plainCompressor;
}

void vlReadPreparedViews(const std::string& stream, const std::function<void(std::unique_ptr<TvlView>)>& take) {
  if (stream.empty()) return;
  ReadStateScope scope;
  TvlStreamReader r(stream);
  const int version = r.ReadByte();
  if (version < kOldestStreamVersion || version > kCurrentStreamVersion)
    throw TvlStreamError("Bad prepared page version " + std::to_string(version));
  vlState().StreamVersion = version;
  while (!r.AtEnd()) take(vlReadPrintedView(r));  // every record takes at least its type byte
}

TvlEMFPages::~TvlEMFPages() = default;

TvlPreparedPage* TvlEMFPages::At(int index) noexcept {
  return index >= 0 && index < Count() ? pages_[static_cast<std::size_t>(index)].get() : nullptr;
}

void TvlEMFPages::Clear() {
  pages_.clear();
  resident_.clear();
  residentBytes_ = 0;
  if (spill_) spill_->Clear();
  loaded_.reset();
  loadedPacked_ = false;
}

void TvlEMFPages::Swap(TvlEMFPages& other) noexcept {
  pages_.swap(other.pages_);
  spill_.swap(other.spill_);
  resident_.swap(other.resident_);
  std::swap(residentBytes_, other.residentBytes_);
  loaded_.swap(other.loaded_);
  std::swap(loadedPacked_, other.loadedPacked_);
}

std::uint64_t TvlEMFPages::SpilledBytes() const noexcept { return spill_ ? spill_->Size() : 0; }

const std::string& TvlEMFPages::StreamBytes(int index) {
  TvlPreparedPage& p = *pages_.at(static_cast<std::size_t>(index));
  if (!p.Spilled()) return p.Stream.Bytes();
  if (!p.InLoadedFile) {
    spill_->Read(p.SpillOffset, p.SpillLength, readBuffer_);
  } else if (!loadedPacked_) {
    loaded_->Read(p.SpillOffset, p.SpillLength, readBuffer_);
  } else {
    loaded_->Read(p.SpillOffset, p.SpillLength, packedBuffer_);
    vlCompressor().Decompress(packedBuffer_, readBuffer_);
  }
  return readBuffer_;
}

TvlStreamWriter& TvlEMFPages::StreamOf(int index) {
  TvlPreparedPage& p = *pages_.at(static_cast<std::size_t>(index));
  if (p.Spilled()) {
    std::string bytes = StreamBytes(index);
    p.Stream = TvlStreamWriter();
    p.Stream.WriteBytes(bytes);
    p.SpillOffset = TvlPreparedPage::kInMemory;  // its place in the file is given up
    p.SpillLength = 0;
    p.InLoadedFile = false;
    Track(p);
  }
  return p.Stream;
}

void TvlEMFPages::Track(TvlPreparedPage& page) {
  resident_.push_back(&page);
  residentBytes_ += page.Stream.Bytes().capacity();  // what the page holds, not what it uses
}

void TvlEMFPages::SpillBeyondThreshold() {
  while (residentBytes_ > spillThreshold_ && !resident_.empty()) {
    TvlPreparedPage* p = resident_.front();
    resident_.pop_front();
    const std::size_t n = p->Stream.Bytes().size();
    residentBytes_ -= std::min(residentBytes_, p->Stream.Bytes().capacity());
    // The last page is still being written; an expanded page is in use.
    if (p->Spilled() || p->Page || p == pages_.back().get() || n > UINT32_MAX) continue;
    if (!spill_) spill_ = std::make_unique<TvlPageSpill>();
    p->SpillOffset = spill_->Append(p->Stream.Bytes());
    p->SpillLength = static_cast<std::uint32_t>(n);
    p->Stream.Release();
  }
}

void TvlEMFPages::Insert(int index, const TvlPage& templatePage) {
  auto p = std::make_unique<TvlPreparedPage>();
  p->PaperSize = templatePage.PaperSize;
  p->PaperWidth = templatePage.PaperWidth;
  p->PaperHeight = templatePage.PaperHeight;
  p->Orientation = templatePage.Orientation;
  p->Bin = templatePage.Bin;
  p->UseMargins = templatePage.UseMargins;
  p->Margins = templatePage.Margins;
  p->PaperMetrics = templatePage.PaperMetrics;
  p->Stream.WriteByte(kPreparedStreamVersion);
  const std::size_t at = index < 0 ? 0 : std::min(static_cast<std::size_t>(index), pages_.size());
  // Pages are written one after the other: the one that was last is done.
  const bool appended = at == pages_.size();
  pages_.insert(pages_.begin() + static_cast<std::ptrdiff_t>(at), std::move(p));
  if (appended && pages_.size() > 1) {
    Track(*pages_[pages_.size() - 2]);
    SpillBeyondThreshold();
  }
}

void TvlEMFPages::Add(const TvlPage& templatePage) {
  Insert(Count(), templatePage);
  TvlEngineState& st = vlState();
  TvlReport* report = st.CurReport ? st.CurReport : report_;
  if (report && report->OnBeginPage) report->OnBeginPage(st.PageNo);
}

void TvlEMFPages::Delete(int index) {
  TvlPreparedPage* p = At(index);
  if (!p) return;
  for (auto it = resident_.begin(); it != resident_.end();)
    it = *it == p ? resident_.erase(it) : it + 1;
  pages_.erase(pages_.begin() + index);
}

TvlPage* TvlEMFPages::Expand(int index) {
  TvlPreparedPage* p = At(index);
  if (!p) return nullptr;
  if (p->Page) return p->Page.get();
  auto page = std::make_unique<TvlPage>(p->PaperSize, p->PaperWidth, p->PaperHeight, p->Bin, p->Orientation);
  page->Margins = p->Margins;
  page->UseMargins = p->UseMargins;
  vlReadPreparedViews(StreamBytes(index), [&](std::unique_ptr<TvlView> v) { page->Objects.push_back(std::move(v)); });
  // Settled once the whole page is read, so that alignment sees every view.
  for (const auto& v : page->Objects) SettleAutoWidth(*v, page.get());
  p->Page = std::move(page);
  return p->Page.get();
}

void TvlEMFPages::WriteBack(int index) {
  TvlPreparedPage* p = At(index);
  if (!p || !p->Page) return;
  TvlStreamWriter w;
  w.WriteByte(kPreparedStreamVersion);
  TvlStreamPrintSink sink(w);
  for (const auto& v : p->Page->Objects) {
    sink.WriteByte(v->Typ);
    if (v->Typ == otAddIn) sink.WriteString(vlViewClassName(*v));
    v->PrintedMemo = v->Memo;
    sink.WriteViewData(*v);
  }
  p->Stream = std::move(w);
  p->SpillOffset = TvlPreparedPage::kInMemory;  // the copy set aside is out of date
  p->SpillLength = 0;
  p->InLoadedFile = false;
}

void TvlEMFPages::PassObjects(int index) {
  TvlPreparedPage* p = At(index);
  if (!p) return;
  // The records hold the views' final positions: no page is current, so
  // nothing realigns them.
  vlReadPreparedViews(StreamBytes(index), [](std::unique_ptr<TvlView> v) {
    SettleAutoWidth(*v, nullptr);
    v->ExportData();
  });
}

}  // namespace vl
