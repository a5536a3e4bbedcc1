// How a barcode view draws: the symbol scaled into the view (or at its
// module width), turned by its rotation, every bar a filled rectangle in
// device pixels so that printers and PDF get sharp edges at any resolution;
// a value the symbology cannot take draws an outlined box with the reason.
// Linear codes get a whole number of device pixels per module, so that
// every bar of one width prints equally wide; postal four-state codes keep
// the sizes their post office prescribes.

#include <algorithm>
#include <cmath>

#include "engine/addins/barcode/barcode_postal_layout.h"
#include "engine/addins/barcode/barcode_view.h"
#include "engine/core/engine_state.h"
#include "engine/core/units.h"
#include "platform/canvas.h"

namespace vl {
namespace {

constexpr TvlColor kErrorColor = vlRGB(0xC0, 0x00, 0x00);
// Bar heights are kept to hundredths of a module, so that redrawing the
// same view finds its symbol again.
constexpr float kBarHeightStep = 0.01f;
// Limits for damaged geometry: bars taller than this many modules, and
// captions in a font taller than this many pixels, are not asked for.
constexpr double kMaxBarHeight = 100000;
constexpr double kMaxCaptionPixels = 16384;

// Device pixels per module for a linear code: whole pixels, so that bar
// edges fall on pixel boundaries and equal bars stay equal (rounding each
// edge on its own makes a 2:1 code's bars 2-3 and 4-5 pixels, which readers
// confuse). A fitted code takes the most that fits; a code narrower than a
// pixel per module cannot be helped and keeps its fraction.
double WholeModule(double module, bool fitted) {
  if (fitted) return module >= 1 ? std::floor(module + 1e-9) : module;
  return std::max(1.0, std::round(module));
}

// The wide-to-narrow ratio that makes wide elements whole pixels too.
float PixelRatio(float ratio, double module) {
  if (module != std::floor(module)) return ratio;
  const double wide = std::round(ratio * module) / module;
  return static_cast<float>(std::clamp(wide, double{kMinWideRatio}, double{kMaxWideRatio}));
}

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

// A four-state code's bars as its post office prescribes them, given the
// device pixels per inch along and across the bars; centred in the view on
// a whole pixel.
void DrawPostal(TvlCanvas& canvas, Placement p, const TvlBarCodeSymbol& symbol, const TvlPostalSpec& spec,
                double along, double across, bool fitted) {
  const TvlPostalLayout layout = vlLayPostalBars(symbol, spec, along, across, p.LocalW, p.LocalH, fitted);
  if (layout.Bars.empty()) return;
  p.Module = 1;
  p.OriginX = std::round((p.LocalW - layout.Width) / 2);
  p.OriginY = std::round((p.LocalH - layout.Height) / 2);
  canvas.SetSolidBrush(clBlack);
  for (const TvlBarCodeBar& bar : layout.Bars) canvas.FillRect(p.MapRect(bar));
}

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
  TvlBarCodeRequest request = Request(Code);
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
  else DrawError(canvas, vlBarCodeTextFromUtf8(symbol->Error));
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

  if (const TvlPostalSpec* spec = vlPostalSpec(request.Symbology)) {
    const double along = (turned ? DrawScaleY : DrawScaleX) * kPageUnitsPerInch;
    const double across = (turned ? DrawScaleX : DrawScaleY) * kPageUnitsPerInch;
    DrawPostal(canvas, p, natural, *spec, along, across, FitToView);
    return;
  }

  // Matrix codes keep square modules; the others span the width and their
  // bars take the height the view leaves them.
  const bool fitToView = FitToView || ModuleWidth <= 0;
  if (fitToView)
    p.Module = natural.FixedRatio ? std::min(p.LocalW / natural.Width, p.LocalH / natural.Height)
                                  : p.LocalW / natural.Width;
  else
    p.Module = ModuleWidth * (turned ? DrawScaleY : DrawScaleX);
  if (!(p.Module > 0) || !std::isfinite(p.Module)) return;
  const TvlBarCodeSymbol* symbol = &natural;
  std::shared_ptr<const TvlBarCodeSymbol> sized;
  if (!natural.FixedRatio) {
    p.Module = WholeModule(p.Module, fitToView);
    TvlBarCodeRequest tall = request;
    // Code 39's wide elements in whole pixels too; a fitted code that the
    // rounding widened beyond the view gets a pixel less per module.
    if (request.Symbology == bcCode39) {
      for (;;) {
        tall.WideRatio = PixelRatio(request.WideRatio, p.Module);
        sized = Symbol(tall);
        if (!fitToView || !sized->Ok() || p.Module <= 1 || sized->Width * p.Module <= p.LocalW) break;
        p.Module -= 1;
      }
      if (sized->Ok()) symbol = sized.get();
    }
    const double barHeight =
        std::clamp(p.LocalH / p.Module - (symbol->Height - symbol->BarHeight), 1.0, kMaxBarHeight);
    tall.BarHeight = std::round(static_cast<float>(barHeight) / kBarHeightStep) * kBarHeightStep;
    sized = Symbol(tall);
    if (sized->Ok()) symbol = sized.get();
  }
  // Centred in the view (a code wider than the view at its module width
  // overhangs both sides alike), on a whole pixel.
  p.OriginX = std::round((p.LocalW - symbol->Width * p.Module) / 2);
  p.OriginY = std::round((p.LocalH - symbol->Height * p.Module) / 2);

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
    const std::string text = vlBarCodeTextFromUtf8(caption.Text);
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
