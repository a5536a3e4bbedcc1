#include "designer/designer_clipboard.h"

#include <algorithm>
#include <memory>

#include "engine/core/engine_state.h"
#include "engine/core/error.h"
#include "engine/model/band_kinds.h"
#include "engine/model/object_factory.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/stream_reader.h"
#include "engine/model/stream_writer.h"

namespace vl {

namespace {

// Reads one clipboard entry at the current stream version; nullptr when the
// entry cannot be read (its class is gone, or the bytes are damaged).
std::unique_ptr<TvlView> ReadEntry(const std::string& bytes) {
  TvlEngineState& st = vlState();
  const int version = st.StreamVersion;
  const bool errorFlag = st.ErrorFlag;
  const std::string errorText = st.ErrorText;
  st.StreamVersion = kCurrentStreamVersion;
  std::unique_ptr<TvlView> view;
  try {
    TvlStreamReader r(bytes);
    const std::uint8_t type = r.ReadByte();
    const std::string className = r.ReadString();
    view = vlCreateView(type, className);
    if (view) {
      view->PrintingForm = false;
      view->LoadFromStream(r);
    }
  } catch (const TvlError&) {
    view.reset();
  }
  st.StreamVersion = version;
  st.ErrorFlag = errorFlag;
  st.ErrorText = errorText;
  return view;
}

bool Pasteable(const TvlPage& page, const TvlView& view) {
  for (const auto& o : page.Objects)
    if (o->Typ == view.Typ && o->ClassName == view.ClassName && (o->Flags & flOnePerPage)) return false;
  if (view.Typ == otBand && vlIsUniqueBandType(view.FrameTyp))
    for (const auto& o : page.Objects)
      if (o->Typ == otBand && o->FrameTyp == view.FrameTyp) return false;
  return true;
}

}  // namespace

std::vector<std::string>& vlDesignerClipboard() {
  static std::vector<std::string> clipboard;
  return clipboard;
}

bool vlIsUniqueBandType(int t) { return !vlBandKind(t).Repeatable; }

void vlCopySelection(const TvlPage& page) {
  auto& clipboard = vlDesignerClipboard();
  clipboard.clear();
  for (const auto& v : page.Objects) {
    if (!v->Selected) continue;
    TvlStreamWriter w;
    w.WriteByte(v->Typ);
    w.WriteString(v->Typ == otAddIn ? v->ClassName : vlViewClassName(*v));
    const bool printing = v->PrintingForm;
    v->PrintingForm = false;
    v->SaveToStream(w);
    v->PrintingForm = printing;
    clipboard.push_back(w.TakeBytes());
  }
}

std::vector<TvlView*> vlPasteClipboard(TvlPage& page, const TvlPastePlace& place) {
  TvlView* target = nullptr;
  for (auto& v : page.Objects) {
    if (v->Typ == otBand && v->Selected && !target) target = v.get();
    v->Selected = 0;
  }
  // The group's top-left corner over every entry that will be pasted.
  int mx = 32767, my = 32767;
  std::vector<std::unique_ptr<TvlView>> views;
  for (const std::string& entry : vlDesignerClipboard()) {
    std::unique_ptr<TvlView> view = ReadEntry(entry);
    if (!view || !Pasteable(page, *view)) continue;
    mx = std::min(mx, view->Left);
    my = std::min(my, view->Top);
    views.push_back(std::move(view));
  }
  const int grid = std::max(1, place.Grid);
  const auto snap = [grid](int v) { return grid * (v / grid); };
  int x = 0, y = 0;
  if (place.AtMouse) {
    x = snap(std::max(0, place.MouseX));
    y = snap(std::max(0, place.MouseY));
  } else {
    const int visibleLeft = place.SurfaceLeft < 0 ? snap(-place.SurfaceLeft) : 0;
    const int visibleTop = place.SurfaceTop < 0 ? snap(-place.SurfaceTop) : 0;
    // Up to the grid, so the group starts inside the printable area.
    x = std::max(visibleLeft, (std::max(0, place.MinLeft) + grid - 1) / grid * grid);
    y = std::max(visibleTop, (std::max(0, place.MinTop) + grid - 1) / grid * grid);
  }
  const int dx = x - mx;
  const int dy = y - my;

  std::vector<TvlView*> pasted;
  for (auto& view : views) {
    // A unique band pasted twice in one go keeps only the first.
    if (!Pasteable(page, *view)) continue;
    TvlReport* report = vlState().CurReport;
    if (report && report->FindObject(view->Name)) {
      view->CreateUniqueName();
      view->SetProperty("Name", TvlValue(view->Name));
    }
    view->Left += dx;
    view->Top += dy;
    if (target) view->Top = target->Top;
    view->Selected = 1;
    pasted.push_back(view.get());
    page.Objects.push_back(std::move(view));
  }
  return pasted;
}

}  // namespace vl
