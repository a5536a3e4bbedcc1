// How a barcode view draws: the symbol scaled into the view (or at its
// module width), turned by its rotation, every bar a filled rectangle in
// device pixels so that printers and PDF get sharp edges at any resolution;
// a value the symbology cannot take draws an outlined box with the reason.

#include <algorithm>
#include <cmath>

#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "platform/canvas.h"
#include "platform/code_page.h"

namespace vl {
namespace {

constexpr TvlColor kErrorColor = vlRGB(0xC0, 0x00, 0x00);
// Bar heights are kept to hundredths of a module, so that redrawing the
// same view finds its symbol again.
constexpr float kBarHeightStep = 0.01f;
// The most symbols a view keeps between draws.
constexpr std::size_t kCachedSymbols = 4;
// Limits for damaged geometry: bars taller than this many modules, and
// captions in a font taller than this many pixels, are not asked for.
constexpr double kMaxBarHeight = 100000;
constexpr double kMaxCaptionPixels = 16384;

std::string ToUtf8(const std::string& text) { return vlConvertEncoding(text, vlPlatformCodePage().c_str(), "UTF-8"); }
std::string FromUtf8(const std::string& text) { return vlConvertEncoding(text, "UTF-8", vlPlatformCodePage().c_str()); }

// Where the symbol's modules land on the surface. The symbol is laid out
// unturned in a box of LocalW x LocalH device pixels, then turned
// counter-clockwise into the view's box at (Left, Top).
struct Placement {
  double Left = 0, Top = 0;
  double LocalW = 0, LocalH = 0;
  std::int32_t Rotation = 0;
  double Module = 1;           // device pixels per module
  double OriginX = 0, OriginY = 0;  // the symbol's top-left in the unturned box

  void Map(double mx, double my, double& x, double& y) const {
    const double lx = OriginX + mx * Module, ly = OriginY + my * Module;
    switch (Rotation) {
      case 90: x = Left + ly, y = Top + LocalW - lx; break;
      case 180: x = Left + LocalW - lx, y = Top + LocalH - ly; break;
      case 270: x = Left + LocalH - ly, y = Top + lx; break;
      default: x = Left + lx, y = Top + ly; break;
    }
  }

  // A rectangle of the symbol as whole device pixels, at least one each way
  // so that bars thinner than a pixel still show.
  TvlRect MapRect(const TvlBarCodeBar& b) const {
    double x0, y0, x1, y1;
    Map(b.X, b.Y, x0, y0);
    Map(b.X + b.Width, b.Y + b.Height, x1, y1);
    TvlRect r{vlRound(std::min(x0, x1)), vlRound(std::min(y0, y1)), vlRound(std::max(x0, x1)),
              vlRound(std::max(y0, y1))};
    if (r.Right <= r.Left) r.Right = r.Left + 1;
    if (r.Bottom <= r.Top) r.Bottom = r.Top + 1;
    return r;
  }
};

// Words of the message on lines no wider than width; a word wider than
// that keeps a line of its own (and is clipped).
std::vector<std::string> WrapWords(TvlCanvas& canvas, const std::string& text, std::int32_t width) {
  std::vector<std::string> lines;
  std::string line;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = text.find_first_not_of(' ', pos);
    if (start == std::string::npos) break;
    std::size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const std::string word = text.substr(start, end - start);
    pos = end;
    const std::string joined = line.empty() ? word : line + ' ' + word;
    if (!line.empty() && canvas.TextWidth(joined) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = joined;
    }
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

TvlBarCodeView::Box TvlBarCodeView::InnerBox() const {
  // In floating point: a damaged template's geometry may not subtract in 32 bits.
  return {static_cast<double>(DRect.Left), static_cast<double>(DRect.Top),
          static_cast<double>(DRect.Right) - 1 - DRect.Left, static_cast<double>(DRect.Bottom) - 1 - DRect.Top};
}

std::shared_ptr<const TvlBarCodeSymbol> TvlBarCodeView::Symbol(const TvlBarCodeRequest& request) const {
  for (const auto& [key, symbol] : cache_)
    if (key == request) return symbol;
  auto symbol = std::make_shared<const TvlBarCodeSymbol>(vlEncodeBarCode(request));
  if (cache_.size() >= kCachedSymbols) cache_.erase(cache_.begin());
  cache_.emplace_back(request, symbol);
  return symbol;
}

void TvlBarCodeView::Draw(TvlCanvas& canvas) {
  Canvas = &canvas;
  AlignInBand(&canvas);
  BeginDraw();
  DrawBackground();
  if (!vlState().FirstPassOnly) DrawCode(canvas);
  DrawFrame();
  EndDraw();
}

void TvlBarCodeView::DrawCode(TvlCanvas& canvas) {
  const bool design = vlState().DocMode == TvlDocMode::dmDesign;
  if (Code.empty() && !design) return;  // an empty value prints nothing
  TvlBarCodeRequest request{Symbology, ToUtf8(Code), CheckDigit, ShowText, 0};
  std::shared_ptr<const TvlBarCodeSymbol> symbol;
  if (!Code.empty()) symbol = Symbol(request);
  // In the designer a value that waits for its expressions shows the
  // symbology's sample when it cannot be encoded as written.
  const TvlSymbologyInfo* info = vlSymbologyInfo(Symbology);
  if (design && info && (!symbol || !symbol->Ok()) && (Code.empty() || Code.find('[') != std::string::npos)) {
    request.Text = info->Sample;
    symbol = Symbol(request);
  }
  if (!symbol) return;
  if (symbol->Ok()) DrawSymbol(canvas, request, *symbol);
  else DrawError(canvas, FromUtf8(symbol->Error));
}

void TvlBarCodeView::DrawSymbol(TvlCanvas& canvas, const TvlBarCodeRequest& request,
                                const TvlBarCodeSymbol& natural) {
  const Box box = InnerBox();
  if (box.Width <= 0 || box.Height <= 0 || natural.Width <= 0 || natural.Height <= 0) return;
  const bool turned = Rotation == 90 || Rotation == 270;
  Placement p;
  p.Left = box.Left, p.Top = box.Top;
  p.LocalW = turned ? box.Height : box.Width;
  p.LocalH = turned ? box.Width : box.Height;
  p.Rotation = Rotation;

  // Matrix codes keep square modules; the others span the width and their
  // bars take the height the view leaves them.
  if (FitToView || ModuleWidth <= 0)
    p.Module = natural.FixedRatio ? std::min(p.LocalW / natural.Width, p.LocalH / natural.Height)
                                  : p.LocalW / natural.Width;
  else
    p.Module = ModuleWidth * (turned ? DrawScaleY : DrawScaleX);
  if (!(p.Module > 0) || !std::isfinite(p.Module)) return;
  const TvlBarCodeSymbol* symbol = &natural;
  std::shared_ptr<const TvlBarCodeSymbol> fitted;
  if (!natural.FixedRatio) {
    TvlBarCodeRequest tall = request;
    const double barHeight =
        std::clamp(p.LocalH / p.Module - (natural.Height - natural.BarHeight), 1.0, kMaxBarHeight);
    tall.BarHeight = std::round(static_cast<float>(barHeight) / kBarHeightStep) * kBarHeightStep;
    fitted = Symbol(tall);
    if (fitted->Ok()) symbol = fitted.get();
  }
  // Centred in the view (a code wider than the view at its module width
  // overhangs both sides alike).
  p.OriginX = (p.LocalW - symbol->Width * p.Module) / 2;
  p.OriginY = (p.LocalH - symbol->Height * p.Module) / 2;

  canvas.SetSolidBrush(clBlack);
  for (const TvlBarCodeBar& bar : symbol->Bars) canvas.FillRect(p.MapRect(bar));

  if (symbol->Captions.empty()) return;
  TvlCanvasFont font;
  font.Name = "Arial";
  font.Color = clBlack;
  font.Escapement = Rotation * 10;
  canvas.SetBkMode(TvlBkMode::Transparent);
  for (const TvlBarCodeCaption& caption : symbol->Captions) {
    const double height = caption.Size * p.Module;
    if (!(height <= kMaxCaptionPixels)) continue;
    font.Height = std::max(1, vlRound(height));
    canvas.SetFont(font);
    const std::string text = FromUtf8(caption.Text);
    const double width = canvas.TextWidth(text) / p.Module;
    const double ascent = canvas.TextMetrics().Ascent / p.Module;
    const double left = caption.X - (caption.Align == 0 ? width / 2 : caption.Align == 2 ? width : 0);
    double x, y;
    p.Map(left, caption.Y - ascent, x, y);
    canvas.TextOut(vlRound(x), vlRound(y), text);
  }
}

void TvlBarCodeView::DrawError(TvlCanvas& canvas, const std::string& message) {
  const Box inner = InnerBox();
  if (inner.Width <= 0 || inner.Height <= 0) return;
  const TvlRect box{DRect.Left, DRect.Top, DRect.Right - 1, DRect.Bottom - 1};
  TvlPen pen;
  pen.Color = kErrorColor;
  pen.Width = std::max(1, vlRound(DrawScaleX));
  canvas.SetPen(pen);
  canvas.SetClearBrush();
  canvas.Rectangle(box);

  TvlCanvasFont font;
  font.Name = "Arial";
  font.Height = std::max(1, vlRound(10 * DrawScaleY));
  font.Color = kErrorColor;
  canvas.SetFont(font);
  canvas.SetBkMode(TvlBkMode::Transparent);
  const std::int32_t pad = pen.Width + std::max(1, vlRound(2 * DrawScaleX));
  const std::int32_t lineHeight = std::max(1, canvas.TextMetrics().Height);
  std::int32_t y = box.Top + pad;
  const auto wrapWidth = static_cast<std::int32_t>(std::min(inner.Width - 2.0 * pad, 1e9));
  for (const std::string& line : WrapWords(canvas, message, wrapWidth)) {
    if (y >= box.Bottom - lineHeight / 2) break;
    canvas.TextRect(box, box.Left + pad, y, line, toClipped);
    y += lineHeight;
  }
}

}  // namespace vl
