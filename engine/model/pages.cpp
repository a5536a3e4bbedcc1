#include "engine/model/pages.h"

#include <algorithm>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/core/text.h"
#include "engine/model/object_factory.h"
#include "engine/model/picture_view.h"
#include "engine/model/report.h"
#include "engine/model/report_data_sources.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"
#include "engine/printer/printer.h"

namespace vl {

std::int32_t vlDefaultPaperCode() {
  static const std::int32_t code = [] {
    const std::int32_t c = vlPrinter().PaperCode;
    return c > 0 ? c : 9;
  }();
  return code;
}

void TvlPages::Clear() { pages_.clear(); }

TvlPage* TvlPages::Add() {
  pages_.push_back(std::make_unique<TvlPage>(vlDefaultPaperCode(), 0, 0, -1, 0));
  return pages_.back().get();
}

void TvlPages::Delete(int index) {
  if (index < 0 || index >= Count()) return;
  pages_.erase(pages_.begin() + index);
}

std::unique_ptr<TvlPage> TvlPages::Release(int index) {
  auto page = std::move(pages_.at(static_cast<std::size_t>(index)));
  pages_.erase(pages_.begin() + index);
  return page;
}

void TvlPages::Move(int from, int to) {
  if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) return;
  auto page = std::move(pages_[static_cast<std::size_t>(from)]);
  pages_.erase(pages_.begin() + from);
  pages_.insert(pages_.begin() + to, std::move(page));
}

namespace {

// A body that is not ours, or is damaged, is skipped like any record of this
// type; the template reads on.
void ReadDataSources(const TvlReport& report, TvlStreamReader& r) {
  try {
    vlDataSourcesOf(report).ReadBody(r, vlTemplateFolderInUse());
  } catch (const TvlStreamError&) {
  }
}

}  // namespace

void TvlPages::SaveToStream(TvlStreamWriter& w) {
  TvlReport& report = *report_;
  // One reservation instead of repeated growth: a text view record takes
  // about 150 bytes, a picture its graphic's bytes more.
  std::size_t estimate = w.Position() + 1024;
  for (const auto& page : pages_) {
    estimate += 256 + page->Objects.size() * 192;
    for (const auto& view : page->Objects)
      if (view->Typ == otPicture) estimate += static_cast<const TvlPictureView&>(*view).Picture.Data.size();
  }
  w.Reserve(estimate);
  w.WriteBool16(!report.SelectPrinterWhenLoaded);
  w.WriteBool16(report.TwoPassReport);
  TvlPrinter& printer = vlPrinter();
  // The virtual printer is stored as the one-byte text 1, whatever its name in this language.
  w.WriteString(printer.IsVirtual() ? std::string(1, '\x01') : printer.SelectedName());
  for (const auto& page : pages_) {
    w.WriteByte(kRecPage);
    page->SaveToStream(w);
  }
  for (std::size_t p = 0; p < pages_.size(); ++p)
    for (const auto& view : pages_[p]->Objects) {
      if (p > 255) throw TvlStreamError("A template can hold objects on at most 256 pages");
      w.WriteByte(view->Typ);
      if (view->Typ == otAddIn) w.WriteString(view->ClassName);
      w.WriteByte(static_cast<std::uint8_t>(p));
      const std::size_t end = w.WriteOffsetPlaceholder();
      // Templates always hold the design form, even while a preparation has
      // switched the views to printing form.
      const bool printing = view->PrintingForm;
      view->PrintingForm = false;
      try {
        view->SaveToStream(w);
      } catch (...) {
        view->PrintingForm = printing;
        throw;
      }
      view->PrintingForm = printing;
      w.PatchOffset(end);
    }
  if (const TvlReportDataSources& sources = vlDataSourcesOf(report); !sources.Empty() && !pages_.empty()) {
    // A record of a type that makes no object: readers skip it by its end offset.
    w.WriteByte(kDataSourcesRecordType);
    w.WriteByte(0);
    const std::size_t end = w.WriteOffsetPlaceholder();
    sources.WriteBody(w, vlTemplateFolderInUse());
    w.PatchOffset(end);
  }
  w.WriteByte(kRecDictionary);
  report.Dictionary.SaveToStream(w);
}

void TvlPages::LoadFromStream(TvlStreamReader& r) {
  TvlReport& report = *report_;
  report.Clear();
  report.SelectPrinterWhenLoaded = !r.ReadBool16();
  report.TwoPassReport = r.ReadBool16();
  std::string printer = r.ReadString();
  if (printer == std::string(1, '\x01')) printer = vlLoadStr(str::kVirtualPrinter);
  report.ChangePrinter(printer);

  while (!r.AtEnd()) {
    const std::uint8_t b = r.ReadByte();
    if (b == kRecPage) {
      Add()->LoadFromStream(r);
    } else if (b == kRecDictionary) {
      report.Dictionary.LoadFromStream(r);
    } else if (b == kRecExtension) {
      r.ReadByte();  // this system writes no extensions; the section ends here
      break;
    } else if (b == kRecEnd) {
      break;
    } else if (b > otAddIn) {
      throw TvlStreamError("Unknown record " + std::to_string(b));
    } else {
      ReadObjectRecord(r, b);
    }
  }

  TvlEngineState& st = vlState();
  if (st.ErrorFlag) throw TvlClassNotFoundError(st.ErrorText);
  for (const auto& page : pages_)
    for (const auto& view : page->Objects) view->AfterLoad();
}

void TvlPages::ReadObjectRecord(TvlStreamReader& r, std::uint8_t type) {
  const int v = vlState().StreamVersion;
  const std::size_t start = r.Position();
  bool haveEnd = false, badEnd = false;
  std::uint32_t end = 0;
  // The end offset must lie past its own field and inside the stream, so that
  // skipping a record always moves forward; a bad one fails the whole load.
  auto readEnd = [&] {
    const std::uint32_t e = r.ReadU32();
    haveEnd = true;
    if (e != 0 && (e < r.Position() || e > r.Size() || e <= start)) {
      badEnd = true;
      throw TvlStreamError("Bad object record end");
    }
    end = e;
  };
  try {
    std::string className;
    bool framedMemo = false;
    if (type == otAddIn) {
      className = r.ReadString();
      const std::string upper = vlUpperCase(className);
      if (upper == "TVLBDELOOKUPCONTROL" || upper == "TVLIBXLOOKUPCONTROL") {
        className = "TvlDBLookupControl";
      } else if (upper == "TVLFRAMEDMEMOVIEW") {
        framedMemo = true;  // an old class now read as a text view
        type = otMemo;
      }
    }
    const std::uint8_t pageIndex = r.ReadByte();
    if (pageIndex >= pages_.size()) throw TvlError("Object on a missing page");
    TvlPage& page = *pages_[pageIndex];
    std::unique_ptr<TvlView> created = vlCreateView(type, className);
    TvlView* view = created.get();
    if (view) page.Objects.push_back(std::move(created));
    if (v >= 24) readEnd();
    if (view) {
      view->PrintingForm = false;
      view->LoadFromStream(r);
      view->SetProperty("Name", TvlValue(view->Name));
    } else if (type == kDataSourcesRecordType && end != 0) {
      ReadDataSources(*report_, r);
    }
    if (framedMemo) r.Skip(8);
    if (end != 0) r.Seek(end);
  } catch (const TvlStreamError&) {
    if (v < 24 || badEnd) throw;  // without an end offset the rest cannot be found again
    if (!haveEnd) readEnd();
    if (end != 0) r.Seek(end);
  } catch (const TvlError&) {
    // A missing class (collected in the engine's error text) or a view that
    // refused its data: the record is skipped by its end offset, or reading
    // goes on with the next byte in streams that have none.
    if (badEnd) throw;
    if (v >= 24) {
      if (!haveEnd) readEnd();
      if (end != 0) r.Seek(end);
    }
  }
}

}  // namespace vl
