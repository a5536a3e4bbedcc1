#include "tools/envelope_layouts.h"

#include <cmath>
#include <stdexcept>

#include "engine/data/address_fields.h"
#include "engine/model/object_factory.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "engine/printer/paper_table.h"

namespace vl {
namespace {

// One envelope: its paper, in the printer model's codes, laid out landscape
// (the long side across), with the texts in the language of its country.
struct TEnvelopeLayout {
  const char* Name;
  std::int32_t PaperCode;  // 256: a custom size
  double WidthMm, HeightMm;  // short side, long side
  bool International;
};

constexpr TEnvelopeLayout kLayouts[kEnvelopeCount] = {
    {"DL 110 × 220 mm 国内标准信封", 27, 110, 220, false},
    {"ZL 120 × 230 mm 国内标准信封", 256, 120, 230, false},
    {"C5 162 × 229 mm 国内标准信封", 28, 162, 229, false},
    {"C4 229 × 324 mm 国内标准信封", 30, 229, 324, false},
    {"C6 114 × 162 mm 国内标准信封", 31, 114, 162, false},
    {"#10 104.8 × 241.3 mm International envelope", 20, 104.8, 241.3, true},
};

constexpr TvlColor kRed = vlRGB(204, 32, 40);
constexpr TvlColor kRule = vlRGB(96, 96, 96);
constexpr TvlColor kLabel = vlRGB(72, 72, 72);
constexpr TvlColor kAirmailBlue = vlRGB(32, 64, 150);
constexpr std::uint16_t kAllSides = vlftLeft | vlftTop | vlftRight | vlftBottom;
// The display format every view starts with: general, with "." as the
// decimal separator, whatever the locale of the machine that runs this.
constexpr std::int32_t kFormat = 0x200 + '.';

// Design pixels: 18 to 5 millimetres.
std::int32_t Px(double mm) { return static_cast<std::int32_t>(std::lround(mm * 18.0 / 5.0)); }

class TEnvelopeBuilder {
 public:
  explicit TEnvelopeBuilder(TvlPage& page) : page_(page) {}

  // A text view; coordinates in millimetres from the paper's top-left corner
  // (Box and Add take design pixels).
  TvlMemoView& Text(const std::string& name, double x, double y, double w, double h,
                    std::vector<std::string> lines, const char* font, int size, TvlColor color,
                    std::int32_t alignment = vltaLeft | vltaMiddle) {
    TvlMemoView& m = Add<TvlMemoView>(otMemo, name, Px(x), Px(y), Px(w), Px(h));
    m.Memo = std::move(lines);
    m.Font.Name = font;
    m.Font.Size = size;
    m.Font.Color = color;
    m.Alignment = alignment;
    return m;
  }

  // A text that prints an envelope variable on a rule: its first line stands
  // on the rule at (x, y), further lines on rules pitch millimetres apart,
  // as many as lines. Text too long for a line wraps onto the next rule.
  TvlMemoView& Field(const std::string& name, int field, double x, double y, double w, int lines, double pitch,
                     const char* font, int size, std::int32_t alignment = vltaLeft) {
    const std::int32_t fontPx = static_cast<std::int32_t>(std::lround(size * 96.0 / 72.0));
    const std::int32_t pitchPx = lines > 1 ? Px(pitch) : fontPx;
    const std::int32_t top = Px(y) - fontPx - Px(1);
    // Tall enough for all its lines with their spacing, so that every one of them fits.
    TvlMemoView& m = Add<TvlMemoView>(otMemo, name, Px(x), top, Px(w), lines * pitchPx + Px(1.5));
    m.Memo = {"[" + std::string(vlEnvelopeVariable(field)) + "]"};
    m.Font.Name = font;
    m.Font.Size = size;
    m.Alignment = alignment;
    m.LineSpacing = pitchPx - fontPx;
    m.Flags = static_cast<std::uint16_t>(m.Flags | flWordWrap);
    return m;
  }

  // A framed box for one digit of a postcode, printing that digit of the
  // variable.
  TvlMemoView& Box(const std::string& name, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h,
                   float frameWidth, int field, int digit, int size) {
    TvlMemoView& m = Add<TvlMemoView>(otMemo, name, x, y, w, h);
    m.Memo = {"[COPY(" + std::string(vlEnvelopeVariable(field)) + ", " + std::to_string(digit) + ", 1)]"};
    m.Font.Name = "Arial";
    m.Font.Size = size;
    m.Alignment = vltaCenter | vltaMiddle;
    m.FrameTyp = kAllSides;
    m.FrameColor = kRed;
    m.FrameWidth = frameWidth;
    return m;
  }

  // A horizontal rule to write on.
  TvlLineView& Rule(const std::string& name, double x, double y, double w) {
    TvlLineView& l = Add<TvlLineView>(otLine, name, Px(x), Px(y), Px(w), 0);
    l.FrameTyp = vlftTop;
    l.FrameColor = kRule;
    l.FrameWidth = 1;
    return l;
  }

  // Six postcode boxes from (x, y), each w × h with gap between them,
  // spaced in whole design pixels so that every gap is the same, printing
  // the digits of the postcode variable.
  void PostcodeRow(const std::string& prefix, double x, double y, double w, double h, double gap,
                   float frameWidth, int field, int size) {
    const std::int32_t step = Px(w) + Px(gap);
    for (int i = 0; i < 6; ++i)
      Box(prefix + std::to_string(i + 1), Px(x) + i * step, Px(y), Px(w), Px(h), frameWidth, field, i + 1, size);
  }

 private:
  template <typename T>
  T& Add(int typ, const std::string& name, std::int32_t x, std::int32_t y, std::int32_t w, std::int32_t h) {
    std::unique_ptr<TvlView> view = vlCreateView(typ, std::string());
    T& t = dynamic_cast<T&>(*view);
    t.Name = name;
    t.Left = x;
    t.Top = y;
    t.Width = w;
    t.Height = h;
    t.Format = kFormat;
    page_.Objects.push_back(std::move(view));
    return t;
  }

  TvlPage& page_;
};

// The width of the sender's row of six 5 mm boxes 1 mm apart, as laid out in
// whole design pixels, so that the row ends where the address line ends.
const double SmallRowMm = (6 * Px(5) + 5 * Px(1)) * 5.0 / 18.0;

// A Chinese envelope after the national standard's arrangement: the
// recipient's postcode in six boxes at the top left, the stamp at the top
// right, the recipient's address and name across the middle, and the sender's
// address with its postcode at the bottom right.
void LayOutChinese(TEnvelopeBuilder& b, double W, double H) {
  const char* song = "宋体";
  const double margin = W >= 200 ? 15 : 10;
  b.PostcodeRow("PostCode", margin, 10, 8, 10, 2, 1.5f, efRecipientPostcode, 14);
  b.Text("PostCodeLabel", margin, 21, 58, 4, {"邮政编码"}, song, 7, kLabel);

  TvlMemoView& stamp = b.Text("StampBox", W - 10 - 20, 10, 20, 24, {"贴", "邮", "票", "处"}, song, 8, kRed,
                              vltaCenter | vltaMiddle);
  stamp.FrameTyp = kAllSides;
  stamp.FrameStyle = psDash;
  stamp.FrameColor = kRed;
  stamp.LineSpacing = 1;

  // Room for four address lines (street lines, city, country) on four rules.
  const double addressTop = H * 0.42;
  const double pitch = (H * 0.63 - addressTop) / 3;
  b.Text("RecipientAddressLabel", margin, addressTop - 5, 40, 4.5, {"收件人地址"}, song, 8, kLabel);
  for (int line = 0; line < 4; ++line)
    b.Rule("RecipientAddressLine" + std::to_string(line + 1), margin, addressTop + line * pitch, W - 2 * margin);
  // The address starts after its label and runs on to the last rule.
  const double labelWidth = 17;
  b.Field("RecipientAddress", efRecipientAddress, margin + labelWidth, addressTop, W - 2 * margin - labelWidth, 4,
          pitch, song, 14);
  const double nameTop = H * 0.71;
  b.Text("RecipientNameLabel", W * 0.28, nameTop - 5, 40, 4.5, {"收件人姓名"}, song, 8, kLabel);
  b.Rule("RecipientNameLine", W * 0.28, nameTop, W * 0.44);
  b.Field("RecipientName", efRecipientName, W * 0.28 + labelWidth, nameTop, W * 0.44 - labelWidth, 1, 0, song,
          W >= 200 ? 18 : 16, vltaCenter);
  b.Text("RecipientNameSuffix", W * 0.72 + 1, nameTop - 6, 6, 6, {"收"}, song, 11, kLabel);

  const double senderLeft = W * 0.48;
  b.Text("SenderAddressLabel", senderLeft, H - 23, 40, 4.5, {"寄件人地址"}, song, 8, kLabel);
  b.Rule("SenderAddressLine", senderLeft, H - 18, W - margin - senderLeft);
  b.Field("SenderAddress", efSenderAddress, senderLeft + labelWidth - 1, H - 18,
          W - margin - senderLeft - labelWidth + 1, 1, 0, song, 9);
  const double boxesLeft = W - margin - SmallRowMm;
  b.Text("SenderPostCodeLabel", boxesLeft - 18, H - 14, 17, 6, {"邮政编码："}, song, 8, kLabel,
         vltaRight | vltaMiddle);
  b.PostcodeRow("SenderPostCode", boxesLeft, H - 14, 5, 6, 1, 1.0f, efSenderPostcode, 10);
}

// The #10 envelope with labels in English and Chinese, for mail to and from
// abroad; the airmail label sits at the bottom left.
void LayOutInternational(TEnvelopeBuilder& b, double W, double H) {
  const char* song = "宋体";
  const double margin = 12;
  b.PostcodeRow("PostCode", margin, 9, 7, 9, 2, 1.5f, efRecipientPostcode, 14);
  b.Text("PostCodeLabel", margin, 19, 60, 4, {"POSTCODE 邮政编码"}, "Arial", 7, kLabel);

  TvlMemoView& stamp = b.Text("StampBox", W - 10 - 22, 9, 22, 25, {"STAMP", "贴邮票处"}, song, 8, kRed,
                              vltaCenter | vltaMiddle);
  stamp.FrameTyp = kAllSides;
  stamp.FrameStyle = psDash;
  stamp.FrameColor = kRed;

  const double left = W * 0.32;
  b.Text("RecipientLabel", left, H * 0.36 - 5, 60, 4.5, {"TO 收件人"}, "Arial", 8, kLabel);
  b.Rule("RecipientNameLine", left, H * 0.36, W - margin - left);
  // The address on four rules below the name, the country on the last.
  const double addressTop = H * 0.46, pitch = H * 0.095;
  for (int line = 0; line < 4; ++line)
    b.Rule(line == 3 ? std::string("RecipientCountryLine") : "RecipientAddressLine" + std::to_string(line + 1), left,
           addressTop + line * pitch, W - margin - left);
  b.Field("RecipientName", efRecipientName, left + 18, H * 0.36, W - margin - left - 18, 1, 0, song, 12);
  b.Field("RecipientAddress", efRecipientAddress, left + 1, addressTop, W - margin - left - 1, 4, pitch, song, 12);

  TvlMemoView& airmail = b.Text("AirmailLabel", margin, H - 24, 34, 12, {"BY AIR MAIL", "PAR AVION 航空"},
                                "Arial", 7, kAirmailBlue, vltaCenter | vltaMiddle);
  airmail.FrameTyp = kAllSides;
  airmail.FrameColor = kAirmailBlue;
  airmail.FrameWidth = 1.5f;
  airmail.Font.Style = fsBold;
  airmail.LineSpacing = 1;

  const double senderLeft = W * 0.52;
  b.Text("SenderLabel", senderLeft, H - 23, 60, 4.5, {"FROM 寄件人地址"}, "Arial", 8, kLabel);
  b.Rule("SenderAddressLine", senderLeft, H - 18, W - margin - senderLeft);
  b.Field("SenderAddress", efSenderAddress, senderLeft + 27, H - 18, W - margin - senderLeft - 27, 1, 0, song, 9);
  const double boxesLeft = W - margin - SmallRowMm;
  b.Text("SenderPostCodeLabel", boxesLeft - 30, H - 14, 29, 6, {"POSTCODE 邮政编码"}, "Arial", 7, kLabel,
         vltaRight | vltaMiddle);
  b.PostcodeRow("SenderPostCode", boxesLeft, H - 14, 5, 6, 1, 1.0f, efSenderPostcode, 10);
}

const TEnvelopeLayout& Layout(int n) {
  if (n < 1 || n > kEnvelopeCount) throw std::out_of_range("no envelope " + std::to_string(n));
  return kLayouts[n - 1];
}

std::int32_t Tenths(double mm) { return static_cast<std::int32_t>(std::lround(mm * 10)); }

}  // namespace

std::string vlEnvelopeName(int n) { return Layout(n).Name; }

void vlBuildEnvelope(int n, TvlReport& report) {
  const TEnvelopeLayout& layout = Layout(n);
  report.Clear();
  report.ReportName = layout.Name;
  report.ReportComment = layout.International ? "Envelope template; print it from the preview."
                                            : "信封模板：在预览窗口中打印。";
  report.ReportCreateDate = kEnvelopeCreationDate;

  // Envelopes are laid out with the long side across. A listed paper is
  // turned to landscape; a custom size is given as it lies, since the printer
  // model takes custom sizes as they are.
  TvlPage& page = *report.Pages.Add();
  page.Name = "Page1";
  page.PaperSize = layout.PaperCode;
  const bool custom = layout.PaperCode == kCustomPaper;
  page.PaperWidth = Tenths(custom ? layout.HeightMm : layout.WidthMm);
  page.PaperHeight = Tenths(custom ? layout.WidthMm : layout.HeightMm);
  page.Orientation = custom ? 0 : 1;
  page.Bin = -1;
  page.Margins = TvlRect{0, 0, 0, 0};
  page.ApplyPaper();

  // The fields the envelope prints, empty until an address list or a form
  // gives them values.
  TvlVariables& vars = report.Dictionary.Variables;
  vars.Set(std::string(" ") + kEnvelopeCategory, TvlValue(std::string()));
  for (int f = 0; f < kEnvelopeFieldCount; ++f) vars.Set(vlEnvelopeVariable(f), TvlValue(std::string()));

  TEnvelopeBuilder b(page);
  const double W = layout.HeightMm, H = layout.WidthMm;
  if (layout.International)
    LayOutInternational(b, W, H);
  else
    LayOutChinese(b, W, H);
}

}  // namespace vl
