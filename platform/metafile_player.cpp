#include "platform/metafile_player.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "platform/bitmap_codec.h"
#include "platform/byte_reader.h"
#include "platform/canvas.h"
#include "platform/code_page.h"

namespace vl {
namespace {

constexpr std::uint32_t kEmfSignature = 0x464D4520;  // " EMF"
constexpr std::uint32_t kPlaceableKey = 0x9AC6CDD7;

// Enhanced metafile record types.
enum : std::uint32_t {
  EMR_HEADER = 1, EMR_POLYBEZIER = 2, EMR_POLYGON = 3, EMR_POLYLINE = 4, EMR_POLYBEZIERTO = 5,
  EMR_POLYLINETO = 6, EMR_POLYPOLYLINE = 7, EMR_POLYPOLYGON = 8, EMR_SETWINDOWEXTEX = 9,
  EMR_SETWINDOWORGEX = 10, EMR_SETVIEWPORTEXTEX = 11, EMR_SETVIEWPORTORGEX = 12, EMR_EOF = 14,
  EMR_SETMAPMODE = 17, EMR_SETBKMODE = 18, EMR_SETTEXTALIGN = 22, EMR_SETTEXTCOLOR = 24,
  EMR_SETBKCOLOR = 25, EMR_MOVETOEX = 27, EMR_EXCLUDECLIPRECT = 29, EMR_INTERSECTCLIPRECT = 30,
  EMR_SAVEDC = 33, EMR_RESTOREDC = 34, EMR_SETWORLDTRANSFORM = 35, EMR_MODIFYWORLDTRANSFORM = 36,
  EMR_SELECTOBJECT = 37, EMR_CREATEPEN = 38,
  EMR_CREATEBRUSHINDIRECT = 39, EMR_DELETEOBJECT = 40, EMR_ELLIPSE = 42, EMR_RECTANGLE = 43,
  EMR_ROUNDRECT = 44, EMR_LINETO = 54, EMR_BITBLT = 76, EMR_STRETCHBLT = 77, EMR_STRETCHDIBITS = 81,
  EMR_EXTCREATEFONTINDIRECTW = 82, EMR_EXTTEXTOUTA = 83, EMR_EXTTEXTOUTW = 84, EMR_POLYBEZIER16 = 85,
  EMR_POLYGON16 = 86, EMR_POLYLINE16 = 87, EMR_POLYBEZIERTO16 = 88, EMR_POLYLINETO16 = 89,
  EMR_POLYPOLYLINE16 = 90, EMR_POLYPOLYGON16 = 91, EMR_EXTCREATEPEN = 95,
};

// Legacy metafile functions.
enum : std::uint16_t {
  META_EOF = 0x0000, META_SAVEDC = 0x001E, META_SETBKMODE = 0x0102, META_SETMAPMODE = 0x0103,
  META_RESTOREDC = 0x0127, META_SELECTOBJECT = 0x012D, META_SETTEXTALIGN = 0x012E,
  META_DIBCREATEPATTERNBRUSH = 0x0142, META_DELETEOBJECT = 0x01F0, META_CREATEPATTERNBRUSH = 0x01F9,
  META_SETBKCOLOR = 0x0201, META_SETTEXTCOLOR = 0x0209, META_SETWINDOWORG = 0x020B,
  META_SETWINDOWEXT = 0x020C, META_LINETO = 0x0213, META_MOVETO = 0x0214, META_CREATEPALETTE = 0x00F7,
  META_CREATEPENINDIRECT = 0x02FA, META_CREATEFONTINDIRECT = 0x02FB, META_CREATEBRUSHINDIRECT = 0x02FC,
  META_POLYGON = 0x0324, META_POLYLINE = 0x0325, META_ELLIPSE = 0x0418, META_RECTANGLE = 0x041B,
  META_TEXTOUT = 0x0521, META_POLYPOLYGON = 0x0538, META_CREATEREGION = 0x06FF, META_EXTTEXTOUT = 0x0A32,
  META_STRETCHDIB = 0x0F43,
};

constexpr std::uint32_t TA_UPDATECP = 1, TA_RIGHT = 2, TA_CENTER = 6, TA_BOTTOM = 8, TA_BASELINE = 24;
constexpr std::uint32_t ETO_OPAQUE = 2, ETO_CLIPPED = 4, ETO_RTLREADING = 0x80;
constexpr std::size_t kMaxObjects = 65536;

struct LogPen {
  std::uint32_t Style = 0;
  std::int32_t Width = 0;
  TvlColor Color = clBlack;
};
struct LogBrush {
  std::uint32_t Style = 0;  // 0 solid, 1 none, 2 hatched
  TvlColor Color = clWhite;
  std::uint32_t Hatch = 0;
};
struct LogFont {
  std::int32_t Height = 0;
  std::int32_t Escapement = 0;
  std::int32_t Weight = 400;
  bool Italic = false, Underline = false, StrikeOut = false;
  std::uint8_t Charset = 0;
  std::string Face;  // in the code page
};
using GdiObject = std::variant<std::monostate, LogPen, LogBrush, LogFont>;

struct DcState {
  LogPen Pen{0, 0, clBlack};
  LogBrush Brush{0, clWhite, 0};
  LogFont Font;
  TvlColor TextColor = clBlack, BkColor = clWhite;
  bool Opaque = true;
  std::uint32_t TextAlign = 0;
  std::uint32_t MapMode = 1;
  double WinOrgX = 0, WinOrgY = 0, WinExtX = 1, WinExtY = 1;
  double VpOrgX = 0, VpOrgY = 0, VpExtX = 1, VpExtY = 1;
  std::optional<TvlRegion> Clip;
  TvlPoint Pos;  // logical
  // World transform of enhanced files: x' = x M11 + y M21 + Dx, y' = x M12 + y M22 + Dy.
  double M11 = 1, M12 = 0, M21 = 0, M22 = 1, Dx = 0, Dy = 0;
};

// The encoding of a legacy font's character set, for its text records.
const char* CharsetEncoding(std::uint8_t charset) {
  switch (charset) {
    case 128: return "CP932";
    case 129: return "CP949";
    case 134: return "CP936";
    case 136: return "CP950";
    case 161: return "CP1253";
    case 162: return "CP1254";
    case 177: return "CP1255";
    case 178: return "CP1256";
    case 186: return "CP1257";
    case 204: return "CP1251";
    case 238: return "CP1250";
    default: return "CP1252";
  }
}

std::array<std::uint8_t, 8> HatchPattern(std::uint32_t hatch) {
  std::array<std::uint8_t, 8> p{};
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      bool on = false;
      switch (hatch) {
        case 0: on = y == 7; break;                      // horizontal
        case 1: on = x == 7; break;                      // vertical
        case 2: on = x == y; break;                      // forward diagonal
        case 3: on = x == 7 - y; break;                  // backward diagonal
        case 4: on = x == 7 || y == 7; break;            // cross
        default: on = x == y || x == 7 - y; break;       // diagonal cross
      }
      if (on) p[y] |= static_cast<std::uint8_t>(0x80 >> x);
    }
  return p;
}

class Player {
 public:
  Player(TvlCanvas& canvas, const TvlRect& dest) : c_(canvas), dest_(dest) {}

  // Source frame in reference units that is stretched onto dest.
  void SetSource(double left, double top, double right, double bottom) {
    srcL_ = left, srcT_ = top;
    srcW_ = right - left, srcH_ = bottom - top;
    if (std::abs(srcW_) < 1e-9) srcW_ = 1;
    if (std::abs(srcH_) < 1e-9) srcH_ = 1;
  }
  void SetEnhanced(bool enhanced) { enhanced_ = enhanced; }

  void Begin() {
    savedPen_ = c_.Pen();
    savedBrush_ = c_.Brush();
    savedFont_ = c_.Font();
    savedBk_ = c_.BkMode();
    savedClip_ = c_.ClipRegion();
    savedSpacing_ = c_.CharSpacing();
    c_.SetCharSpacing(0);
  }
  void End() {
    c_.SetPen(savedPen_);
    c_.SetBrush(savedBrush_);
    c_.SetFont(savedFont_);
    c_.SetBkMode(savedBk_);
    c_.SetCharSpacing(savedSpacing_);
    c_.SelectClipRegion(savedClip_);
  }

  bool PlayEmf(std::string_view bytes);
  bool PlayWmf(std::string_view bytes, std::size_t start, bool placeable);

 private:
  // Logical units to reference units (enhanced: device pixels of the
  // recording device; legacy: logical units of the picture).
  double RefX(double x) const {
    if (!enhanced_ || dc_.MapMode == 1) return x - dc_.WinOrgX + dc_.VpOrgX;
    return (x - dc_.WinOrgX) * dc_.VpExtX / dc_.WinExtX + dc_.VpOrgX;
  }
  double RefY(double y) const {
    if (!enhanced_ || dc_.MapMode == 1) return y - dc_.WinOrgY + dc_.VpOrgY;
    return (y - dc_.WinOrgY) * dc_.VpExtY / dc_.WinExtY + dc_.VpOrgY;
  }
  double ScaleX() const {
    const double m = enhanced_ && dc_.MapMode != 1 ? dc_.VpExtX / dc_.WinExtX : 1.0;
    return m * std::hypot(dc_.M11, dc_.M12) * dest_.Width() / srcW_;
  }
  double ScaleY() const {
    const double m = enhanced_ && dc_.MapMode != 1 ? dc_.VpExtY / dc_.WinExtY : 1.0;
    return m * std::hypot(dc_.M21, dc_.M22) * dest_.Height() / srcH_;
  }
  static std::int32_t Clamp(double v) {
    if (!(v > -1e8)) return -100000000;
    if (v > 1e8) return 100000000;
    return static_cast<std::int32_t>(std::lround(v));
  }
  TvlPoint Map(double x, double y) const {
    const double wx = x * dc_.M11 + y * dc_.M21 + dc_.Dx;
    const double wy = x * dc_.M12 + y * dc_.M22 + dc_.Dy;
    return {Clamp(dest_.Left + (RefX(wx) - srcL_) * dest_.Width() / srcW_),
            Clamp(dest_.Top + (RefY(wy) - srcT_) * dest_.Height() / srcH_)};
  }
  TvlRect MapRect(double l, double t, double r, double b) const {
    TvlPoint a = Map(l, t), z = Map(r, b);
    return {std::min(a.X, z.X), std::min(a.Y, z.Y), std::max(a.X, z.X), std::max(a.Y, z.Y)};
  }

  void ApplyPen() {
    TvlPen p;
    const std::uint32_t style = dc_.Pen.Style & 0x0F;
    p.Color = dc_.Pen.Color;
    p.Style = style <= 4 ? static_cast<TvlPenStyle>(style) : style == 6 ? TvlPenStyle::Solid : TvlPenStyle::Clear;
    p.Width = std::clamp(Clamp(std::abs(dc_.Pen.Width * ScaleX())), 1, 10000);
    c_.SetPen(p);
  }
  void ApplyBrush() {
    TvlBrush b;
    b.Color = dc_.Brush.Color;
    if (dc_.Brush.Style == 1) b.Style = TvlBrushStyle::Clear;
    else if (dc_.Brush.Style == 2)
      b.Style = TvlBrushStyle::Pattern, b.Pattern = HatchPattern(dc_.Brush.Hatch), b.PatternBack = dc_.BkColor;
    c_.SetBrush(b);
    c_.SetBkMode(dc_.Opaque ? TvlBkMode::Opaque : TvlBkMode::Transparent);
  }
  void ApplyFont() {
    TvlCanvasFont f;
    f.Name = dc_.Font.Face.empty() ? std::string("Arial") : dc_.Font.Face;
    // A positive height is the cell height; the em is about 7/8 of it.
    const double em = dc_.Font.Height < 0 ? -dc_.Font.Height : dc_.Font.Height * 0.875;
    f.Height = std::clamp(Clamp(em == 0 ? 12 * std::abs(ScaleY()) : em * std::abs(ScaleY())), 1, 20000);
    f.Style = (dc_.Font.Italic ? 1 : 0) | (dc_.Font.Weight >= 600 ? 2 : 0) | (dc_.Font.Underline ? 4 : 0) |
              (dc_.Font.StrikeOut ? 8 : 0);
    f.Color = dc_.TextColor;
    f.Charset = dc_.Font.Charset;
    f.Escapement = dc_.Font.Escapement;
    c_.SetFont(f);
    c_.SetBkMode(dc_.Opaque ? TvlBkMode::Opaque : TvlBkMode::Transparent);
  }

  void Select(std::uint32_t index) {
    if (index & 0x80000000u) {  // stock objects
      switch (index & 0x7FFFFFFF) {
        case 0: dc_.Brush = {0, clWhite, 0}; break;
        case 1: dc_.Brush = {0, 0xC0C0C0, 0}; break;
        case 2: dc_.Brush = {0, 0x808080, 0}; break;
        case 3: dc_.Brush = {0, 0x404040, 0}; break;
        case 4: dc_.Brush = {0, clBlack, 0}; break;
        case 5: dc_.Brush = {1, clWhite, 0}; break;
        case 6: dc_.Pen = {0, 0, clWhite}; break;
        case 7: dc_.Pen = {0, 0, clBlack}; break;
        case 8: dc_.Pen = {5, 0, clBlack}; break;
        default:
          if ((index & 0x7FFFFFFF) >= 10 && (index & 0x7FFFFFFF) <= 17) dc_.Font = LogFont{};
          break;
      }
      return;
    }
    if (index >= objects_.size()) return;
    const GdiObject& o = objects_[index];
    if (auto* p = std::get_if<LogPen>(&o)) dc_.Pen = *p;
    else if (auto* b = std::get_if<LogBrush>(&o)) dc_.Brush = *b;
    else if (auto* f = std::get_if<LogFont>(&o)) dc_.Font = *f;
  }
  void Store(std::uint32_t index, GdiObject o) {
    if (index >= kMaxObjects) return;
    if (index >= objects_.size()) objects_.resize(index + 1);
    objects_[index] = std::move(o);
  }
  // Legacy files put a new object into the first free slot.
  void StoreFirstFree(GdiObject o, bool placeholder = false) {
    std::size_t k = 0;
    while (k < objects_.size() && !std::holds_alternative<std::monostate>(objects_[k]) && !free_[k]) ++k;
    if (k >= kMaxObjects) return;
    if (k >= objects_.size()) objects_.resize(k + 1), free_.resize(k + 1, true);
    objects_[k] = placeholder ? GdiObject{LogBrush{1, clWhite, 0}} : std::move(o);
    free_[k] = false;
  }
  void Delete(std::uint32_t index) {
    if (index < objects_.size()) objects_[index] = std::monostate{};
    if (index < free_.size()) free_[index] = true;
  }

  void DrawShape(std::uint32_t kind, const TvlRect& r) {
    ApplyPen();
    ApplyBrush();
    if (kind == 0) c_.Rectangle(r);
    else c_.Ellipse(r);
  }
  void DrawPoly(const std::vector<TvlPoint>& pts, bool closed) {
    if (pts.size() < 2) return;
    ApplyPen();
    if (closed) {
      ApplyBrush();
      c_.Polygon(pts);
    } else {
      c_.Polyline(pts);
    }
  }
  static std::vector<TvlPoint> Flatten(const std::vector<TvlPoint>& pts) {
    // pts: start, then triples of control, control, end.
    std::vector<TvlPoint> out;
    if (pts.empty()) return out;
    out.push_back(pts[0]);
    for (std::size_t k = 1; k + 2 < pts.size(); k += 3) {
      const TvlPoint p0 = out.back(), p1 = pts[k], p2 = pts[k + 1], p3 = pts[k + 2];
      for (int s = 1; s <= 8; ++s) {
        const double t = s / 8.0, u = 1 - t;
        const double x = u * u * u * p0.X + 3 * u * u * t * p1.X + 3 * u * t * t * p2.X + t * t * t * p3.X;
        const double y = u * u * u * p0.Y + 3 * u * u * t * p1.Y + 3 * u * t * t * p2.Y + t * t * t * p3.Y;
        out.push_back({static_cast<std::int32_t>(std::lround(x)), static_cast<std::int32_t>(std::lround(y))});
      }
    }
    return out;
  }

  void Text(double x, double y, const std::string& text, std::uint32_t options, const TvlRect* clip) {
    ApplyFont();
    c_.SetBkMode(dc_.Opaque ? TvlBkMode::Opaque : TvlBkMode::Transparent);
    TvlBrush b;
    b.Color = dc_.BkColor;
    c_.SetBrush(b);  // the background of opaque text
    if (dc_.TextAlign & TA_UPDATECP) x = dc_.Pos.X, y = dc_.Pos.Y;
    TvlPoint p = Map(x, y);
    const std::int32_t w = c_.TextWidth(text);
    if (c_.Font().Escapement == 0) {
      const TvlTextMetrics m = c_.TextMetrics();
      if ((dc_.TextAlign & TA_BASELINE) == TA_BASELINE) p.Y -= m.Ascent;
      else if (dc_.TextAlign & TA_BOTTOM) p.Y -= m.Height;
      if ((dc_.TextAlign & TA_CENTER) == TA_CENTER) p.X -= w / 2;
      else if (dc_.TextAlign & TA_RIGHT) p.X -= w;
    }
    std::uint32_t o = 0;
    if (options & ETO_RTLREADING) o |= toRtlReading;
    if (clip && (options & ETO_CLIPPED)) o |= toClipped;
    if (clip && (options & ETO_OPAQUE)) o |= toOpaque;
    c_.TextRect(clip ? *clip : TvlRect{}, p.X, p.Y, text, o);
    if (dc_.TextAlign & TA_UPDATECP)
      dc_.Pos.X = Clamp(dc_.Pos.X + w / std::max(1e-9, std::abs(ScaleX())));
  }

  void Bitmap(const TvlRect& dest, std::string_view header, std::string_view bits, std::int32_t sx,
              std::int32_t sy, std::int32_t sw, std::int32_t sh) {
    TvlRaster full;
    if (!vlDecodeDib(header, bits, full)) return;
    // Only the source rectangle is shown.
    if (sw > 0 && sh > 0 && (sx != 0 || sy != 0 || sw != full.Width || sh != full.Height)) {
      sx = std::clamp(sx, 0, full.Width);
      sy = std::clamp(sy, 0, full.Height);
      sw = std::min(sw, full.Width - sx);
      sh = std::min(sh, full.Height - sy);
      if (sw <= 0 || sh <= 0) return;
      TvlRaster part;
      part.Width = sw, part.Height = sh;
      part.Pixels.resize(static_cast<std::size_t>(sw) * sh);
      for (int y = 0; y < sh; ++y)
        for (int x = 0; x < sw; ++x) part.At(x, y) = full.At(sx + x, sy + y);
      full = std::move(part);
    }
    c_.StretchRaster(dest, full, TvlStretchMode::ColorOnColor);
  }

  void Clip(const TvlRect& r, bool exclude) {
    if (exclude) c_.ExcludeClipRect(r);
    else c_.IntersectClipRect(r);
    dc_.Clip = c_.ClipRegion();
  }
  void Save() {
    if (stack_.size() < 1024) stack_.push_back(dc_);
  }
  void Restore(std::int32_t relative) {
    std::int64_t n = relative < 0 ? -static_cast<std::int64_t>(relative) : 1;
    if (n > static_cast<std::int64_t>(stack_.size())) return;
    while (n-- > 0) dc_ = stack_.back(), stack_.pop_back();
    c_.SelectClipRegion(dc_.Clip ? dc_.Clip : savedClip_);
  }

  TvlCanvas& c_;
  TvlRect dest_;
  bool enhanced_ = true;
  double srcL_ = 0, srcT_ = 0, srcW_ = 1, srcH_ = 1;
  DcState dc_;
  std::vector<DcState> stack_;
  std::vector<GdiObject> objects_;
  std::vector<bool> free_;
  TvlPen savedPen_;
  TvlBrush savedBrush_;
  TvlCanvasFont savedFont_;
  TvlBkMode savedBk_ = TvlBkMode::Opaque;
  std::optional<TvlRegion> savedClip_;
  std::int32_t savedSpacing_ = 0;
};

struct EmfHeader {
  std::int32_t BoundsL, BoundsT, BoundsR, BoundsB;
  std::int32_t FrameL, FrameT, FrameR, FrameB;
  std::int32_t DevW, DevH, MmW, MmH;
};

bool ReadEmfHeader(std::string_view bytes, EmfHeader& h) {
  TvlByteReader r(bytes);
  if (r.U32() != EMR_HEADER) return false;
  const std::uint32_t size = r.U32();
  h.BoundsL = r.I32(), h.BoundsT = r.I32(), h.BoundsR = r.I32(), h.BoundsB = r.I32();
  h.FrameL = r.I32(), h.FrameT = r.I32(), h.FrameR = r.I32(), h.FrameB = r.I32();
  if (r.U32() != kEmfSignature) return false;
  r.Skip(4 + 4 + 4 + 2 + 2 + 4 + 4 + 4);  // version, bytes, records, handles, reserved, desc, palette
  h.DevW = r.I32(), h.DevH = r.I32(), h.MmW = r.I32(), h.MmH = r.I32();
  return r.Ok() && size >= 88 && size <= bytes.size();
}

// The frame in reference device pixels; the bounds when the frame is unusable.
void EmfSource(const EmfHeader& h, double& l, double& t, double& r, double& b) {
  if (h.DevW > 0 && h.DevH > 0 && h.MmW > 0 && h.MmH > 0 && h.FrameR > h.FrameL && h.FrameB > h.FrameT) {
    const double kx = static_cast<double>(h.DevW) / (h.MmW * 100.0), ky = static_cast<double>(h.DevH) / (h.MmH * 100.0);
    l = h.FrameL * kx, t = h.FrameT * ky, r = h.FrameR * kx, b = h.FrameB * ky;
  } else {
    l = h.BoundsL, t = h.BoundsT, r = static_cast<double>(h.BoundsR) + 1, b = static_cast<double>(h.BoundsB) + 1;
  }
}

std::string Utf16ToCodePage(std::string_view utf16) {
  return vlConvertEncoding(utf16, "UTF-16LE", vlPlatformCodePage().c_str());
}

bool Player::PlayEmf(std::string_view bytes) {
  TvlByteReader all(bytes);
  std::size_t pos = 0;
  std::size_t records = 0;
  while (pos + 8 <= bytes.size()) {
    TvlByteReader head(bytes.substr(pos));
    const std::uint32_t type = head.U32();
    const std::uint32_t size = head.U32();
    if (size < 8 || size % 4 != 0 || size > bytes.size() - pos) break;
    const std::string_view rec = bytes.substr(pos, size);
    pos += size;
    ++records;
    TvlByteReader r(rec);
    r.Skip(8);
    auto points = [&](bool sixteen, std::uint32_t count) {
      std::vector<TvlPoint> pts;
      const std::size_t each = sixteen ? 4 : 8;
      if (!r.Has(static_cast<std::uint64_t>(count) * each)) return pts;
      pts.reserve(count);
      for (std::uint32_t k = 0; k < count; ++k) {
        const double x = sixteen ? r.I16() : r.I32();
        const double y = sixteen ? r.I16() : r.I32();
        pts.push_back(Map(x, y));
      }
      return pts;
    };
    switch (type) {
      case EMR_EOF: return true;
      case EMR_SETWINDOWEXTEX: {
        const std::int32_t x = r.I32(), y = r.I32();
        if (r.Ok() && x != 0 && y != 0) dc_.WinExtX = x, dc_.WinExtY = y;
        break;
      }
      case EMR_SETWINDOWORGEX: dc_.WinOrgX = r.I32(), dc_.WinOrgY = r.I32(); break;
      case EMR_SETVIEWPORTEXTEX: {
        const std::int32_t x = r.I32(), y = r.I32();
        if (r.Ok() && x != 0 && y != 0) dc_.VpExtX = x, dc_.VpExtY = y;
        break;
      }
      case EMR_SETVIEWPORTORGEX: dc_.VpOrgX = r.I32(), dc_.VpOrgY = r.I32(); break;
      case EMR_SETMAPMODE: dc_.MapMode = r.U32(); break;
      case EMR_SETBKMODE: dc_.Opaque = r.U32() == 2; break;
      case EMR_SETTEXTALIGN: dc_.TextAlign = r.U32(); break;
      case EMR_SETTEXTCOLOR: dc_.TextColor = r.U32() & 0xFFFFFF; break;
      case EMR_SETBKCOLOR: dc_.BkColor = r.U32() & 0xFFFFFF; break;
      case EMR_MOVETOEX: dc_.Pos = {r.I32(), r.I32()}; break;
      case EMR_LINETO: {
        const TvlPoint to{r.I32(), r.I32()};
        if (!r.Ok()) break;
        ApplyPen();
        const TvlPoint a = Map(dc_.Pos.X, dc_.Pos.Y), b = Map(to.X, to.Y);
        c_.MoveTo(a.X, a.Y);
        c_.LineTo(b.X, b.Y);
        dc_.Pos = to;
        break;
      }
      case EMR_RECTANGLE:
      case EMR_ELLIPSE:
      case EMR_ROUNDRECT: {
        const double l = r.I32(), t = r.I32(), rr = r.I32(), b = r.I32();
        if (r.Ok()) DrawShape(type == EMR_ELLIPSE ? 1 : 0, MapRect(l, t, rr, b));
        break;
      }
      case EMR_EXCLUDECLIPRECT:
      case EMR_INTERSECTCLIPRECT: {
        const double l = r.I32(), t = r.I32(), rr = r.I32(), b = r.I32();
        if (r.Ok()) Clip(MapRect(l, t, rr, b), type == EMR_EXCLUDECLIPRECT);
        break;
      }
      case EMR_POLYGON: case EMR_POLYLINE: case EMR_POLYBEZIER: case EMR_POLYLINETO: case EMR_POLYBEZIERTO:
      case EMR_POLYGON16: case EMR_POLYLINE16: case EMR_POLYBEZIER16: case EMR_POLYLINETO16:
      case EMR_POLYBEZIERTO16: {
        const bool sixteen = type >= EMR_POLYBEZIER16;
        const std::uint32_t base = sixteen ? type - EMR_POLYBEZIER16 + EMR_POLYBEZIER : type;
        r.Skip(16);
        const std::uint32_t count = r.U32();
        std::vector<TvlPoint> pts;
        const bool fromPos = base == EMR_POLYLINETO || base == EMR_POLYBEZIERTO;
        if (fromPos) pts.push_back(Map(dc_.Pos.X, dc_.Pos.Y));
        // Remember the last logical point for the "to" forms.
        const std::size_t at = r.Pos();
        std::vector<TvlPoint> more = points(sixteen, count);
        if (more.size() != count || count == 0) break;
        pts.insert(pts.end(), more.begin(), more.end());
        if (fromPos) {
          TvlByteReader last(rec);
          last.Seek(at + (count - 1) * (sixteen ? 4 : 8));
          dc_.Pos.X = sixteen ? last.I16() : last.I32();
          dc_.Pos.Y = sixteen ? last.I16() : last.I32();
        }
        if (base == EMR_POLYBEZIER || base == EMR_POLYBEZIERTO) pts = Flatten(pts);
        DrawPoly(pts, base == EMR_POLYGON);
        break;
      }
      case EMR_POLYPOLYLINE: case EMR_POLYPOLYGON: case EMR_POLYPOLYLINE16: case EMR_POLYPOLYGON16: {
        const bool sixteen = type >= EMR_POLYPOLYLINE16;
        const bool closed = type == EMR_POLYPOLYGON || type == EMR_POLYPOLYGON16;
        r.Skip(16);
        const std::uint32_t polys = r.U32();
        const std::uint32_t total = r.U32();
        if (!r.Has(4ull * polys)) break;
        std::vector<std::uint32_t> counts(polys);
        std::uint64_t sum = 0;
        for (auto& n : counts) sum += (n = r.U32());
        if (sum != total) break;
        for (std::uint32_t n : counts) {
          std::vector<TvlPoint> pts = points(sixteen, n);
          if (pts.size() != n) break;
          DrawPoly(pts, closed);
        }
        break;
      }
      case EMR_SAVEDC: Save(); break;
      case EMR_RESTOREDC: Restore(r.I32()); break;
      case EMR_SETWORLDTRANSFORM:
      case EMR_MODIFYWORLDTRANSFORM: {
        double m[6];
        for (double& v : m) v = r.F32();
        const std::uint32_t mode = type == EMR_SETWORLDTRANSFORM ? 4 : r.U32();
        bool usable = r.Ok();
        for (double v : m) usable = usable && std::isfinite(v) && std::abs(v) <= 1e6;
        if (!usable && mode != 1) break;
        DcState& d = dc_;
        const double c[6] = {d.M11, d.M12, d.M21, d.M22, d.Dx, d.Dy};
        // Row-vector matrices: a then b is a x b.
        auto multiply = [&d](const double* a, const double* b) {
          d.M11 = a[0] * b[0] + a[1] * b[2];
          d.M12 = a[0] * b[1] + a[1] * b[3];
          d.M21 = a[2] * b[0] + a[3] * b[2];
          d.M22 = a[2] * b[1] + a[3] * b[3];
          d.Dx = a[4] * b[0] + a[5] * b[2] + b[4];
          d.Dy = a[4] * b[1] + a[5] * b[3] + b[5];
        };
        if (mode == 1) d.M11 = 1, d.M12 = 0, d.M21 = 0, d.M22 = 1, d.Dx = 0, d.Dy = 0;
        else if (mode == 2) multiply(m, c);  // the new transform applies first
        else if (mode == 3) multiply(c, m);
        else if (mode == 4) d.M11 = m[0], d.M12 = m[1], d.M21 = m[2], d.M22 = m[3], d.Dx = m[4], d.Dy = m[5];
        break;
      }
      case EMR_SELECTOBJECT: Select(r.U32()); break;
      case EMR_DELETEOBJECT: Delete(r.U32()); break;
      case EMR_CREATEPEN: {
        const std::uint32_t index = r.U32();
        LogPen p;
        p.Style = r.U32();
        p.Width = r.I32();
        r.I32();
        p.Color = r.U32() & 0xFFFFFF;
        if (r.Ok()) Store(index, p);
        break;
      }
      case EMR_EXTCREATEPEN: {
        const std::uint32_t index = r.U32();
        r.Skip(16);
        LogPen p;
        p.Style = r.U32();
        p.Width = r.I32();
        const std::uint32_t brushStyle = r.U32();
        p.Color = r.U32() & 0xFFFFFF;
        if (brushStyle == 1) p.Style = 5;
        if (r.Ok()) Store(index, p);
        break;
      }
      case EMR_CREATEBRUSHINDIRECT: {
        const std::uint32_t index = r.U32();
        LogBrush b;
        b.Style = r.U32();
        b.Color = r.U32() & 0xFFFFFF;
        b.Hatch = r.U32();
        if (b.Style > 2) b.Style = 0;
        if (r.Ok()) Store(index, b);
        break;
      }
      case EMR_EXTCREATEFONTINDIRECTW: {
        const std::uint32_t index = r.U32();
        LogFont f;
        f.Height = r.I32();
        r.I32();
        f.Escapement = r.I32();
        r.I32();
        f.Weight = r.I32();
        f.Italic = r.U8() != 0;
        f.Underline = r.U8() != 0;
        f.StrikeOut = r.U8() != 0;
        f.Charset = r.U8();
        r.Skip(4);
        if (!r.Has(64)) break;
        std::string face(reinterpret_cast<const char*>(rec.data()) + r.Pos(), 64);
        std::size_t len = 0;
        while (len + 1 < face.size() && (face[len] || face[len + 1])) len += 2;
        f.Face = Utf16ToCodePage(face.substr(0, len));
        Store(index, f);
        break;
      }
      case EMR_EXTTEXTOUTA:
      case EMR_EXTTEXTOUTW: {
        r.Skip(16 + 12);  // bounds, graphics mode, scales
        const double x = r.I32(), y = r.I32();
        const std::uint32_t chars = r.U32(), offString = r.U32(), options = r.U32();
        const double cl = r.I32(), ct = r.I32(), cr = r.I32(), cb = r.I32();
        if (!r.Ok()) break;
        const std::uint64_t unit = type == EMR_EXTTEXTOUTW ? 2 : 1;
        if (offString > rec.size() || chars * unit > rec.size() - offString) break;
        const std::string_view raw = rec.substr(offString, chars * unit);
        const std::string text = type == EMR_EXTTEXTOUTW
                                     ? Utf16ToCodePage(raw)
                                     : vlConvertEncoding(raw, CharsetEncoding(dc_.Font.Charset), vlPlatformCodePage().c_str());
        const TvlRect clip = MapRect(cl, ct, cr, cb);
        Text(x, y, text, options, (options & (ETO_CLIPPED | ETO_OPAQUE)) ? &clip : nullptr);
        break;
      }
      case EMR_BITBLT:
      case EMR_STRETCHBLT: {
        r.Skip(16);
        const double dx = r.I32(), dy = r.I32(), dw = r.I32(), dh = r.I32();
        const std::uint32_t rop = r.U32();
        const std::int32_t sx = r.I32(), sy = r.I32();
        r.Skip(24 + 4 + 4);
        const std::uint32_t offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
        std::int32_t sw = static_cast<std::int32_t>(dw), sh = static_cast<std::int32_t>(dh);
        if (type == EMR_STRETCHBLT) sw = r.I32(), sh = r.I32();
        if (!r.Ok()) break;
        const TvlRect d = MapRect(dx, dy, dx + dw, dy + dh);
        if (cbBmi == 0) {
          // No source: a pattern fill with the brush (PATCOPY) or a plain
          // black or white fill.
          if (rop == 0x00F00021) ApplyBrush(), c_.FillRect(d);
          else if (rop == 0x00000042 || rop == 0x00FF0062) {
            TvlBrush b;
            b.Color = rop == 0x00000042 ? clBlack : clWhite;
            c_.SetBrush(b);
            c_.FillRect(d);
          }
          break;
        }
        if (offBmi > rec.size() || cbBmi > rec.size() - offBmi || offBits > rec.size() || cbBits > rec.size() - offBits)
          break;
        Bitmap(d, rec.substr(offBmi, cbBmi), rec.substr(offBits, cbBits), sx, sy, sw, sh);
        break;
      }
      case EMR_STRETCHDIBITS: {
        r.Skip(16);
        const double dx = r.I32(), dy = r.I32();
        const std::int32_t sx = r.I32(), sy = r.I32(), sw = r.I32(), sh = r.I32();
        const std::uint32_t offBmi = r.U32(), cbBmi = r.U32(), offBits = r.U32(), cbBits = r.U32();
        r.Skip(8);
        const double dw = r.I32(), dh = r.I32();
        if (!r.Ok()) break;
        if (offBmi > rec.size() || cbBmi > rec.size() - offBmi || offBits > rec.size() || cbBits > rec.size() - offBits)
          break;
        Bitmap(MapRect(dx, dy, dx + dw, dy + dh), rec.substr(offBmi, cbBmi), rec.substr(offBits, cbBits), sx, sy, sw, sh);
        break;
      }
      default: break;  // records that drawings and text do not need
    }
  }
  (void)all;
  return records > 0;
}

bool Player::PlayWmf(std::string_view bytes, std::size_t start, bool placeable) {
  TvlByteReader h(bytes.substr(start));
  const std::uint16_t kind = h.U16();
  const std::uint16_t headerWords = h.U16();
  if (!h.Ok() || (kind != 1 && kind != 2) || headerWords != 9) return false;
  std::size_t pos = start + 18;
  bool sourceSet = placeable;
  bool haveOrg = false;
  while (pos + 6 <= bytes.size()) {
    TvlByteReader head(bytes.substr(pos));
    const std::uint64_t size = static_cast<std::uint64_t>(head.U32()) * 2;
    const std::uint16_t fn = head.U16();
    if (size < 6 || size > bytes.size() - pos) break;
    const std::string_view rec = bytes.substr(pos, size);
    pos += size;
    TvlByteReader r(rec);
    r.Skip(6);
    auto points = [&](std::uint32_t count) {
      std::vector<TvlPoint> pts;
      if (!r.Has(4ull * count)) return pts;
      for (std::uint32_t k = 0; k < count; ++k) {
        const double x = r.I16(), y = r.I16();
        pts.push_back(Map(x, y));
      }
      return pts;
    };
    switch (fn) {
      case META_EOF: return true;
      case META_SETWINDOWORG: {
        const double y = r.I16(), x = r.I16();
        if (!r.Ok()) break;
        haveOrg = true;
        if (!placeable) {
          dc_.WinOrgX = 0, dc_.WinOrgY = 0;
          srcL_ = x, srcT_ = y;
        }
        break;
      }
      case META_SETWINDOWEXT: {
        const double y = r.I16(), x = r.I16();
        if (!r.Ok() || x == 0 || y == 0) break;
        if (!placeable) {
          // Without a placeable header the window is the picture.
          SetSource(haveOrg ? srcL_ : 0, haveOrg ? srcT_ : 0, (haveOrg ? srcL_ : 0) + x, (haveOrg ? srcT_ : 0) + y);
          sourceSet = true;
        }
        break;
      }
      case META_SETMAPMODE: dc_.MapMode = r.U16(); break;
      case META_SETBKMODE: dc_.Opaque = r.U16() == 2; break;
      case META_SETTEXTALIGN: dc_.TextAlign = r.U16(); break;
      case META_SETTEXTCOLOR: dc_.TextColor = r.U32() & 0xFFFFFF; break;
      case META_SETBKCOLOR: dc_.BkColor = r.U32() & 0xFFFFFF; break;
      case META_MOVETO: {
        const std::int32_t y = r.I16(), x = r.I16();
        dc_.Pos = {x, y};
        break;
      }
      case META_LINETO: {
        const std::int32_t y = r.I16(), x = r.I16();
        if (!r.Ok() || !sourceSet) break;
        ApplyPen();
        const TvlPoint a = Map(dc_.Pos.X, dc_.Pos.Y), b = Map(x, y);
        c_.MoveTo(a.X, a.Y);
        c_.LineTo(b.X, b.Y);
        dc_.Pos = {x, y};
        break;
      }
      case META_RECTANGLE:
      case META_ELLIPSE: {
        const double b = r.I16(), rr = r.I16(), t = r.I16(), l = r.I16();
        if (r.Ok() && sourceSet) DrawShape(fn == META_ELLIPSE ? 1 : 0, MapRect(l, t, rr, b));
        break;
      }
      case META_POLYGON:
      case META_POLYLINE: {
        const std::uint16_t count = r.U16();
        std::vector<TvlPoint> pts = points(count);
        if (sourceSet && pts.size() == count) DrawPoly(pts, fn == META_POLYGON);
        break;
      }
      case META_POLYPOLYGON: {
        const std::uint16_t polys = r.U16();
        if (!r.Has(2ull * polys)) break;
        std::vector<std::uint16_t> counts(polys);
        for (auto& n : counts) n = r.U16();
        for (std::uint16_t n : counts) {
          std::vector<TvlPoint> pts = points(n);
          if (pts.size() != n) break;
          if (sourceSet) DrawPoly(pts, true);
        }
        break;
      }
      case META_SAVEDC: Save(); break;
      case META_RESTOREDC: Restore(r.I16()); break;
      case META_SELECTOBJECT: Select(r.U16()); break;
      case META_DELETEOBJECT: Delete(r.U16()); break;
      case META_CREATEPENINDIRECT: {
        LogPen p;
        p.Style = r.U16();
        p.Width = r.I16();
        r.I16();
        p.Color = r.U32() & 0xFFFFFF;
        StoreFirstFree(p);
        break;
      }
      case META_CREATEBRUSHINDIRECT: {
        LogBrush b;
        b.Style = r.U16();
        b.Color = r.U32() & 0xFFFFFF;
        b.Hatch = r.U16();
        if (b.Style > 2) b.Style = 0;
        StoreFirstFree(b);
        break;
      }
      case META_CREATEFONTINDIRECT: {
        LogFont f;
        f.Height = r.I16();
        r.I16();
        f.Escapement = r.I16();
        r.I16();
        f.Weight = r.I16();
        f.Italic = r.U8() != 0;
        f.Underline = r.U8() != 0;
        f.StrikeOut = r.U8() != 0;
        f.Charset = r.U8();
        r.Skip(4);
        std::string face;
        while (r.Ok() && r.Remaining() > 0 && face.size() < 32) {
          const char ch = static_cast<char>(r.U8());
          if (!ch) break;
          face.push_back(ch);
        }
        f.Face = vlConvertEncoding(face, CharsetEncoding(f.Charset), vlPlatformCodePage().c_str());
        StoreFirstFree(f);
        break;
      }
      case META_CREATEPALETTE:
      case META_CREATEPATTERNBRUSH:
      case META_DIBCREATEPATTERNBRUSH:
      case META_CREATEREGION:
        StoreFirstFree({}, true);  // keeps the object numbering
        break;
      case META_TEXTOUT: {
        const std::uint16_t count = r.U16();
        const std::uint64_t padded = (count + 1ull) & ~1ull;
        if (!r.Has(padded + 4)) break;
        const std::string_view raw = rec.substr(r.Pos(), count);
        r.Skip(padded);
        const double y = r.I16(), x = r.I16();
        if (sourceSet)
          Text(x, y, vlConvertEncoding(raw, CharsetEncoding(dc_.Font.Charset), vlPlatformCodePage().c_str()), 0, nullptr);
        break;
      }
      case META_EXTTEXTOUT: {
        const double y = r.I16(), x = r.I16();
        const std::uint16_t count = r.U16(), options = r.U16();
        TvlRect clip{};
        if (options & (ETO_OPAQUE | ETO_CLIPPED)) {
          const double l = r.I16(), t = r.I16(), rr = r.I16(), b = r.I16();
          clip = MapRect(l, t, rr, b);
        }
        if (!r.Ok() || !r.Has(count)) break;
        const std::string_view raw = rec.substr(r.Pos(), count);
        if (sourceSet)
          Text(x, y, vlConvertEncoding(raw, CharsetEncoding(dc_.Font.Charset), vlPlatformCodePage().c_str()),
               options, (options & (ETO_OPAQUE | ETO_CLIPPED)) ? &clip : nullptr);
        break;
      }
      case META_STRETCHDIB: {
        r.Skip(6);
        const std::int32_t sh = r.I16(), sw = r.I16(), sy = r.I16(), sx = r.I16();
        const double dh = r.I16(), dw = r.I16(), dy = r.I16(), dx = r.I16();
        if (!r.Ok() || !sourceSet) break;
        const std::string_view dib = rec.substr(r.Pos());
        TvlByteReader d(dib);
        const std::uint32_t hs = d.U32();
        if (!d.Ok() || hs > dib.size()) break;
        std::uint64_t headerLen = hs;
        if (hs >= 40) {
          d.Seek(14);
          const std::uint16_t bits = d.U16();
          const std::uint32_t comp = d.U32();
          d.Skip(12);
          std::uint32_t colors = d.U32();
          if (bits <= 8 && colors == 0) colors = 1u << bits;
          if (bits > 8) colors = 0;
          headerLen += 4ull * colors + (comp == 3 ? 12 : 0);
        } else if (hs == 12) {
          d.Seek(10);
          const std::uint16_t bits = d.U16();
          headerLen += bits <= 8 ? 3ull << bits : 0;
        }
        if (!d.Ok() || headerLen > dib.size()) break;
        Bitmap(MapRect(dx, dy, dx + dw, dy + dh), dib.substr(0, headerLen), dib.substr(headerLen), sx, sy, sw, sh);
        break;
      }
      default: break;
    }
  }
  return true;
}

}  // namespace

bool vlIsMetafile(std::string_view bytes) {
  TvlByteReader r(bytes);
  const std::uint32_t first = r.U32();
  if (first == EMR_HEADER) {
    r.Seek(40);
    return r.U32() == kEmfSignature;
  }
  if (first == kPlaceableKey) return true;
  r.Seek(0);
  const std::uint16_t kind = r.U16(), words = r.U16();
  return r.Ok() && (kind == 1 || kind == 2) && words == 9;
}

bool vlMetafileInfo(std::string_view bytes, TvlMetafileInfo& info) {
  info = TvlMetafileInfo{};
  TvlByteReader r(bytes);
  const std::uint32_t first = r.U32();
  if (first == EMR_HEADER) {
    EmfHeader h;
    if (!ReadEmfHeader(bytes, h)) return false;
    info.Enhanced = true;
    // Header values are any 32-bit numbers: computed in doubles, and a
    // picture larger than a million pixels a side is not a drawing.
    double w, hgt;
    if (h.FrameR > h.FrameL && h.FrameB > h.FrameT) {
      w = (static_cast<double>(h.FrameR) - h.FrameL) * 96.0 / 2540.0;
      hgt = (static_cast<double>(h.FrameB) - h.FrameT) * 96.0 / 2540.0;
    } else {
      w = static_cast<double>(h.BoundsR) - h.BoundsL + 1;
      hgt = static_cast<double>(h.BoundsB) - h.BoundsT + 1;
    }
    if (!(w >= 0.5 && hgt >= 0.5 && w <= 1e6 && hgt <= 1e6)) return false;
    info.Width = static_cast<std::int32_t>(std::lround(w));
    info.Height = static_cast<std::int32_t>(std::lround(hgt));
    return true;
  }
  if (first == kPlaceableKey) {
    r.U16();
    const std::int32_t l = r.I16(), t = r.I16(), rr = r.I16(), b = r.I16();
    const std::uint16_t inch = r.U16();
    if (!r.Ok() || inch == 0 || rr <= l || b <= t) return false;
    info.Width = static_cast<std::int32_t>(std::lround((rr - l) * 96.0 / inch));
    info.Height = static_cast<std::int32_t>(std::lround((b - t) * 96.0 / inch));
    return info.Width > 0 && info.Height > 0 && vlIsMetafile(bytes.substr(std::min<std::size_t>(22, bytes.size())));
  }
  if (!vlIsMetafile(bytes)) return false;
  // A plain legacy file: the size is that of its window, in pixels.
  std::size_t pos = 18;
  while (pos + 6 <= bytes.size()) {
    TvlByteReader h(bytes.substr(pos));
    const std::uint64_t size = static_cast<std::uint64_t>(h.U32()) * 2;
    const std::uint16_t fn = h.U16();
    if (size < 6 || size > bytes.size() - pos) break;
    if (fn == META_SETWINDOWEXT) {
      const std::int32_t y = h.I16(), x = h.I16();
      if (h.Ok() && x != 0 && y != 0) {
        info.Width = std::abs(x), info.Height = std::abs(y);
        return true;
      }
    }
    if (fn == META_EOF) break;
    pos += size;
  }
  return false;
}

bool vlPlayMetafile(TvlCanvas& canvas, std::string_view bytes, const TvlRect& dest) {
  if (vlRectEmpty(dest)) return vlIsMetafile(bytes);
  Player p(canvas, dest);
  TvlByteReader r(bytes);
  const std::uint32_t first = r.U32();
  bool ok = false;
  p.Begin();
  if (first == EMR_HEADER) {
    EmfHeader h;
    if (ReadEmfHeader(bytes, h)) {
      double l, t, rr, b;
      EmfSource(h, l, t, rr, b);
      p.SetSource(l, t, rr, b);
      p.SetEnhanced(true);
      ok = p.PlayEmf(bytes);
    }
  } else if (first == kPlaceableKey) {
    r.U16();
    const double l = r.I16(), t = r.I16(), rr = r.I16(), b = r.I16();
    if (r.Ok() && rr != l && b != t && bytes.size() > 22) {
      p.SetSource(l, t, rr, b);
      p.SetEnhanced(false);
      ok = p.PlayWmf(bytes, 22, true);
    }
  } else if (vlIsMetafile(bytes)) {
    p.SetEnhanced(false);
    ok = p.PlayWmf(bytes, 0, false);
  }
  p.End();
  return ok;
}

}  // namespace vl
