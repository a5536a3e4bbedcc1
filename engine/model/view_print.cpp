// Writing a view into a prepared page ("print") and handing it to an export
// filter, naming it and its context-menu entries.

#include "engine/model/band_kinds.h"
#include "engine/model/object_factory.h"
#include "engine/core/run_context.h"
#include "engine/model/view.h"
#include "engine/model/view_run_hooks.h"

namespace vl {
namespace {

// Puts the saved Tag back however printing ends.
class TagRestorer {
 public:
  explicit TagRestorer(TvlView& v) : v_(v), tag_(v.Tag) {}
  ~TagRestorer() { v_.Tag = std::move(tag_); }
  TagRestorer(const TagRestorer&) = delete;
  TagRestorer& operator=(const TagRestorer&) = delete;

 private:
  TvlView& v_;
  std::string tag_;
};

}  // namespace

TvlPrintHooks& vlPrintHooks() {
  static TvlPrintHooks hooks;
  TvlViewRunHooks* run = vlRunContext().ViewHooks;
  return run ? run->Print : hooks;
}

void TvlView::Print(TvlPrintSink& sink) {
  AlignInBand(Canvas);
  PrintedMemo = Memo;
  const TvlPrintHooks& hooks = vlPrintHooks();
  if (hooks.BeforePrint) hooks.BeforePrint(*this);
  if (hooks.RunScript) hooks.RunScript(*this);
  if (!Visible) return;
  PreparePrint();
  TagRestorer restoreTag(*this);
  if (Tag.find('[') != std::string::npos && hooks.ExpandText) Tag = hooks.ExpandText(*this, Tag);

  // While printing a band, top and bottom alignment follow the band's
  // calculated height, and full width on a cross band takes its width.
  // (Only these three alignments ask for the page, so that printing other
  // views does not gather the page's objects.)
  TvlBandAlignContext ctx;
  const bool followsBand = BandAlign == baBottom || BandAlign == baTop || BandAlign == baWidth;
  if (followsBand && vlState().DocMode == TvlDocMode::dmPrinting && vlBandAlignProvider() &&
      vlBandAlignProvider()(*this, ctx) && ctx.HasCurrentBand) {
    if (BandAlign == baBottom) Top = ctx.BandTop + ctx.BandCalcHeight - Height;
    else if (BandAlign == baTop) Top = ctx.BandTop;
    else if (BandAlign == baWidth && vlIsVerticalBand(ctx.BandType)) Width = ctx.BandWidth;
  }
  sink.WriteByte(Typ);
  if (Typ == otAddIn) sink.WriteString(vlViewClassName(*this));
  sink.WriteViewData(*this);
}

void TvlView::CreateUniqueName(const TvlNameTaken& taken) {
  Name.clear();
  for (int n = 1; n <= 10000; ++n) {
    const std::string candidate = BaseName + std::to_string(n);
    if (!taken || !taken(candidate)) {
      SetProperty("Name", candidate);
      return;
    }
  }
}

void TvlView::DefinePopupMenu(std::vector<TvlPopupEntry>& menu) {
  menu.push_back({0, false, TvlPopupAction::Separator, 0});
  menu.push_back({55190, (Flags & flStretched) != 0, TvlPopupAction::Stretched, 0});
}

void TvlView::SetStretched(const std::vector<TvlView*>& views, bool stretched) {
  for (TvlView* v : views) {
    if (v->Restrictions & rsDontModify) continue;
    if (stretched) v->Flags |= flStretched;
    else v->Flags &= static_cast<std::uint16_t>(~flStretched);
  }
}

TvlViewConsumer& vlViewConsumer() {
  static TvlViewConsumer consumer;
  return consumer;
}

void TvlView::ExportData() {
  if (const TvlViewConsumer& consumer = vlViewConsumer()) consumer(*this, Left, Top);
}

void TvlView::HookNotify(TvlView*) {}
void TvlView::Resized() {}
void TvlView::ShowEditor() {}

}  // namespace vl
