// A text view during preparation: expanding its memo, the highlight
// condition, the height it needs in its band and what it writes into the
// prepared page, including the part of a text that fits a split band.

#include "engine/core/engine_state.h"
#include "engine/core/expression_evaluator.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/band_kinds.h"
#include "engine/model/bracket_text.h"
#include "engine/model/memo_view.h"
#include "engine/model/object_factory.h"
#include "engine/model/scratch_canvas.h"

namespace vl {
namespace {

constexpr char kParagraphMark = '\x01';

std::string JoinedText(const std::vector<std::string>& lines) { return vlJoinLines(lines); }

}  // namespace

void TvlMemoView::ExpandMemo() {
  PrintedMemo.clear();
  for (const std::string& line : Memo) {
    if (line.empty()) {
      PrintedMemo.emplace_back();
      continue;
    }
    const std::string result = (Flags & flTextOnly) ? line : vlExpandBrackets(*this, line);
    if (result.empty()) {
      PrintedMemo.emplace_back();
      continue;
    }
    // A value with line breaks (a multi-line field) gives separate lines.
    for (std::string& piece : vlSplitLines(result)) PrintedMemo.push_back(std::move(piece));
  }
}

TvlMemoView::TvlHighlightSave TvlMemoView::ApplyHighlight() {
  TvlHighlightSave saved{Font, FillColor};
  if (HighlightCondition.empty()) return saved;
  TvlExpressionEvaluator* evaluator = vlShared().Evaluator;
  if (!evaluator) return saved;
  try {
    // The condition is compiled once and run on every print.
    if (compiledSource_ != HighlightCondition || !compiledOk_) {
      compiledOk_ = false;
      compiledSource_ = HighlightCondition;
      compiledCondition_ = evaluator->Compile(HighlightCondition);
      compiledOk_ = true;
    }
    const TvlValue v = evaluator->EvaluateCompiled(compiledCondition_);
    // Any value other than 0 switches it on; a value that does not compare
    // with 0 (a text that is no number) counts as a failed evaluation.
    if (!v.IsNullOrEmpty() && vlValueToFloat(v) != 0) {
      Font.Style = HighlightStyle;
      Font.Color = HighlightFontColor;
      FillColor = HighlightFillColor;
    }
  } catch (...) {
    // A condition that cannot be evaluated leaves the normal look.
  }
  return saved;
}

void TvlMemoView::RestoreHighlight(const TvlHighlightSave& saved) {
  Font = saved.Font;
  FillColor = saved.Fill;
}

std::int32_t TvlMemoView::CalcHeight() {
  DrawPhase = 1;
  AlignInBand(&vlScratchCanvas());
  const TvlPrintHooks& hooks = vlPrintHooks();
  if (hooks.RunScript) hooks.RunScript(*this);
  if (!Visible) return 0;
  PrintedMemo = Memo;
  if (hooks.BeforePrint) hooks.BeforePrint(*this);
  if (PrintedMemo == Memo) ExpandMemo();

  const TvlHighlightSave saved = ApplyHighlight();
  BeginDraw();
  std::int32_t result = 0;
  if (!PrintedMemo.empty()) {
    Prewrapped = false;
    WrapMemo();
    PrintedMemo = WrappedLines;
    result = TextHeight;
    if (Flags & flSuppress) {
      const std::string text = JoinedText(PrintedMemo);
      if (text == LastValue) result = 0;
      else if (vlState().FirstPassOnly) LastValue = text;
    }
  }
  EndDraw();
  RestoreHighlight(saved);
  return result;
}

void TvlMemoView::Print(TvlPrintSink& sink) {
  TvlCanvas& scratch = vlScratchCanvas();
  AlignInBand(Canvas ? Canvas : &scratch);
  MeasuringForPrint = true;
  const TvlPrintHooks& hooks = vlPrintHooks();
  bool changed = false;
  if (DrawPhase == 0) {
    if (hooks.RunScript) hooks.RunScript(*this);
    if (hooks.BeforePrint) {
      PrintedMemo = Memo;
      hooks.BeforePrint(*this);
      changed = PrintedMemo != Memo;
    }
  }
  if (DrawPhase != 2 && !changed && DrawPhase != 1) ExpandMemo();

  const TvlHighlightSave saved = ApplyHighlight();
  const std::string savedTag = Tag;
  const std::uint8_t savedBandAlign = BandAlign;
  std::vector<std::string> fullText;
  if (Visible) {
    if (DrawPhase == 2) {
      // The part of a split band: only the lines that fit this height.
      BeginDraw();
      DrawText(scratch, true);
      EndDraw();
      fullText = PrintedMemo;
      const std::size_t fit = std::min<std::size_t>(static_cast<std::size_t>(LinesDrawn), fullText.size());
      PrintedMemo.assign(fullText.begin(), fullText.begin() + static_cast<std::ptrdiff_t>(fit));
      if (JoinedText(PrintedMemo).find(kParagraphMark) == std::string::npos)
        PrintedMemo.emplace_back(1, kParagraphMark);  // the mark of a continued part
    }

    if (Tag.find('[') != std::string::npos) {
      const std::int32_t savedFormat = Format;
      Format = 0;
      try {
        Tag = vlExpandBrackets(*this, Tag);
      } catch (...) {
        Format = savedFormat;
        throw;
      }
      Format = savedFormat;
    }
    // Band output has placed the view already; the record keeps no bottom
    // alignment, and top or full-width alignment follows the current band.
    TvlBandAlignContext ctx;
    const bool hasBand = vlState().DocMode == TvlDocMode::dmPrinting && vlBandAlignProvider() &&
                         vlBandAlignProvider()(*this, ctx) && ctx.HasCurrentBand;
    if (BandAlign == baBottom) BandAlign = baNone;
    else if (BandAlign == baTop && hasBand) Top = ctx.BandTop;
    else if (BandAlign == baWidth && hasBand && vlIsVerticalBand(ctx.BandType)) {
      Width = ctx.BandWidth;
      BandAlign = baNone;
    }

    const std::string text = JoinedText(PrintedMemo);
    if (!((Flags & flSuppress) && text == LastValue)) {
      sink.WriteByte(Typ);
      if (Typ == otAddIn) sink.WriteString(vlViewClassName(*this));
      sink.WriteViewData(*this);
      if (Flags & flSuppress) LastValue = text;
    }
    if (DrawPhase == 2) {
      // The rest waits for the next part.
      const std::size_t printed = std::min<std::size_t>(static_cast<std::size_t>(LinesDrawn), fullText.size());
      PrintedMemo.assign(fullText.begin() + static_cast<std::ptrdiff_t>(printed), fullText.end());
    }
  }
  RestoreHighlight(saved);
  Tag = savedTag;
  BandAlign = savedBandAlign;
  DrawPhase = 0;
}

}  // namespace vl
