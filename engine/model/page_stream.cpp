// The page record of the template stream.

#include "engine/core/engine_state.h"
#include "engine/core/string_table.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/page.h"
#include "engine/model/pages.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {
namespace {

constexpr std::int32_t kPageMarker = -1;

// "Page" and the smallest number from 1 to 10000 that no page of the current
// report has as its name (compared exactly); "Page" alone when all are taken.
std::string NewPageName() {
  const std::string base = vlLoadStr(55004);
  const TvlReport* report = vlState().CurReport;
  for (int n = 1; n <= 10000; ++n) {
    const std::string candidate = base + std::to_string(n);
    bool taken = false;
    if (report)
      for (int k = 0; k < report->Pages.Count() && !taken; ++k)
        taken = report->Pages[k]->Name == candidate;
    if (!taken) return candidate;
  }
  return base;
}

}  // namespace

void TvlPage::LoadFromStream(TvlStreamReader& r) {
  const int v = vlState().StreamVersion;
  Script.clear();
  const std::int32_t m = r.ReadI32();
  PaperSize = m == kPageMarker ? r.ReadI32() : m;  // older records start with the paper size
  PaperWidth = r.ReadI32();
  PaperHeight = r.ReadI32();
  Margins.Left = vlBoundDistance(r.ReadI32());
  Margins.Top = vlBoundDistance(r.ReadI32());
  Margins.Right = vlBoundDistance(r.ReadI32());
  Margins.Bottom = vlBoundDistance(r.ReadI32());
  Orientation = r.ReadByte();
  if (v < 23) r.Skip(6);
  Bin = v >= 24 ? r.ReadI32() : -1;
  PrintToPrevPage = r.ReadBool16();
  UseMargins = r.ReadBool16();
  Columns = vlBoundColumns(r.ReadI32());
  ColumnGap = vlBoundDistance(r.ReadI32());
  if (v < 24) {
    Name = NewPageName();
  } else {
    PageType = r.ReadByte();
    Name = r.ReadString();
    const std::uint8_t border = r.ReadByte();
    BorderStyle = border == 0 ? 3 : border == 1 ? 2 : border;
    Caption = r.ReadString();
    Color = r.ReadU32();
    Left = r.ReadI32();
    Top = r.ReadI32();
    Width = r.ReadI32();
    Height = r.ReadI32();
    Position = r.ReadByte() == 0 ? 0 : 4;
    if (m == kPageMarker) r.ReadStringList(Script);
  }
  ApplyPaper();
}

void TvlPage::SaveToStream(TvlStreamWriter& w) const {
  w.WriteI32(kPageMarker);
  w.WriteI32(PaperSize);
  w.WriteI32(PaperWidth);
  w.WriteI32(PaperHeight);
  w.WriteI32(Margins.Left);
  w.WriteI32(Margins.Top);
  w.WriteI32(Margins.Right);
  w.WriteI32(Margins.Bottom);
  w.WriteByte(Orientation);
  w.WriteI32(Bin);
  w.WriteBool16(PrintToPrevPage);
  w.WriteBool16(UseMargins);
  w.WriteI32(Columns);
  w.WriteI32(ColumnGap);
  w.WriteByte(PageType);
  w.WriteString(Name);
  w.WriteByte(BorderStyle);
  w.WriteString(Caption);
  w.WriteU32(Color);
  w.WriteI32(Left);
  w.WriteI32(Top);
  w.WriteI32(Width);
  w.WriteI32(Height);
  w.WriteByte(Position);
  w.WriteStringList(Script);
}

}  // namespace vl
