#pragma once
// Prepared pages made by code for the store's tests, its fuzz target and the
// benchmark: pages printed from real views, and prepared-report files of the
// older layouts written by hand.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/core/engine_state.h"
#include "engine/model/prepared_pages.h"
#include "engine/model/print_sink.h"
#include "engine/model/views.h"
#include "tests/model/stream_builder.h"

namespace vl::testing {

inline std::unique_ptr<TvlMemoView> TextView(const std::string& name, std::int32_t left, std::int32_t top,
                                             std::int32_t width, std::int32_t height, const std::string& text) {
  auto m = std::make_unique<TvlMemoView>();
  m->Name = name;
  m->Left = left, m->Top = top, m->Width = width, m->Height = height;
  m->Memo = {text};
  return m;
}

// Prints the views into a page's object stream as band output does.
inline void PrintInto(TvlPreparedPage& page, const std::vector<TvlView*>& views) {
  TvlView* const current = vlState().CurView;
  TvlStreamPrintSink sink(page.Stream);
  for (TvlView* v : views) v->Print(sink);
  vlState().CurView = current;  // printing made each of them current
}

// A page stream: the version byte and one record of each simple kind.
inline std::string SampleStream() {
  TvlPreparedPage page;
  page.Stream.WriteByte(kPreparedStreamVersion);
  auto memo = TextView("URL1", 10, 20, 200, 18, "Hello");
  memo->Tag = "https://example.org/";
  TvlLineView line;
  line.Name = "Line1";
  line.Left = 5, line.Top = 50, line.Width = 300, line.Height = 0;
  PrintInto(page, {memo.get(), &line});
  return page.Stream.Bytes();
}

// One page record of the current layout; withBin adds the bin and margins
// (version 24 and later).
inline void PageRecord(StreamBuilder& s, bool withBin, std::int32_t paper, std::int32_t width,
                       std::int32_t height, std::uint8_t orientation, const std::string& stream) {
  const std::size_t end = s.Placeholder();
  s.U16(paper).I32(width).I32(height).U8(orientation);
  if (withBin) s.I32(7);
  s.U8(1);
  if (withBin) s.I32(11).I32(12).I32(13).I32(14);
  s.Raw(stream).Patch(end);
}

// A file of the current layout: version byte v (0: none), compression flag,
// printer name, two pages (A4 portrait, DL landscape) and the generator byte.
inline std::string CurrentLayoutFile(int v, std::uint8_t compressed = 0) {
  StreamBuilder s(v);
  if (v != 0) s.U8(v);
  s.U8(compressed).Str("Virtual printer").I32(2);
  PageRecord(s, v > 23, 9, 2100, 2970, 0, SampleStream());
  PageRecord(s, v > 23, 27, 2200, 1100, 1, SampleStream());
  s.U8(77);
  return s.Bytes();
}

// A file of the legacy layout: the printer line, pages holding a metafile.
inline std::string LegacyFile(const std::string& metafile) {
  StreamBuilder s(0);
  s.List({"Virtual printer"}).I32(1);
  const std::size_t end = s.Placeholder();
  s.U16(11).I32(1480).I32(2100).U8(0).U8(1).Raw(metafile).Patch(end);
  s.U8(77);
  return s.Bytes();
}

}  // namespace vl::testing
