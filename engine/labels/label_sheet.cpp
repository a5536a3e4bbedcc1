#include "engine/labels/label_sheet.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/core/project_texts.h"
#include "engine/core/text.h"
#include "engine/printer/paper_table.h"

namespace vl {
namespace {

struct TLabelPaper {
  const char* Name;
  std::int32_t Code;
};
// Sheets are sold on these papers (codes of the printer model's table).
constexpr TLabelPaper kPapers[] = {{"A4", kPaperA4}, {"Letter", 1}, {"A5", 11}, {"Legal", 5}};

constexpr std::int32_t kMaxColumns = 20;
constexpr std::int32_t kMaxRows = 60;
constexpr std::size_t kMaxNameLength = 80;

// Millimetres as a message shows them: at most two decimals, no trailing zeros.
std::string Mm(double mm) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", mm);
  std::string s = text;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s + " mm";
}

// Overflow of less than a hundredth of a millimetre is rounding in the
// makers' own figures.
constexpr double kSlack = 0.005;

}  // namespace

bool vlLabelPaper(const std::string& paper, std::int32_t& code, std::int32_t& widthTenths,
                  std::int32_t& heightTenths) {
  for (const TLabelPaper& p : kPapers)
    if (vlSameText(paper, p.Name)) {
      const TvlPaperSize* size = vlFindPaper(p.Code);
      if (!size) return false;
      code = p.Code;
      widthTenths = size->WidthTenths;
      heightTenths = size->HeightTenths;
      return true;
    }
  return false;
}

std::string vlLabelSheetProblem(const TvlLabelSheet& s) {
  if (vlTrim(s.Name).empty()) return vlTr("The sheet has no name");
  if (s.Name.size() > kMaxNameLength)
    return vlTr("The sheet's name is longer than %1 characters", {std::to_string(kMaxNameLength)});
  if (std::any_of(s.Name.begin(), s.Name.end(), [](char c) { return static_cast<unsigned char>(c) < 32; }))
    return vlTr("The sheet's name holds control characters");
  std::int32_t code = 0, widthTenths = 0, heightTenths = 0;
  if (!vlLabelPaper(s.Paper, code, widthTenths, heightTenths))
    return vlTr("Unknown paper \"%1\" (A4, Letter, A5 or Legal)", {s.Paper});
  for (double v : {s.LabelWidth, s.LabelHeight, s.TopMargin, s.LeftMargin, s.PitchX, s.PitchY, s.CornerRadius})
    if (!std::isfinite(v)) return vlTr("A size of the sheet is not a number");
  if (s.Columns < 1 || s.Columns > kMaxColumns)
    return vlTr("The number of columns must be from 1 to %1", {std::to_string(kMaxColumns)});
  if (s.Rows < 1 || s.Rows > kMaxRows)
    return vlTr("The number of rows must be from 1 to %1", {std::to_string(kMaxRows)});
  if (s.LabelWidth <= 0 || s.LabelHeight <= 0) return vlTr("The label's width and height must be more than 0 mm");
  if (s.TopMargin < 0 || s.LeftMargin < 0) return vlTr("The top and left margins cannot be negative");
  if (s.PitchX + kSlack < s.LabelWidth)
    return vlTr("The labels overlap: the horizontal pitch %1 is less than the label width %2",
                    {Mm(s.PitchX), Mm(s.LabelWidth)});
  if (s.PitchY + kSlack < s.LabelHeight)
    return vlTr("The labels overlap: the vertical pitch %1 is less than the label height %2",
                    {Mm(s.PitchY), Mm(s.LabelHeight)});
  if (s.CornerRadius < 0 || 2 * s.CornerRadius > std::min(s.LabelWidth, s.LabelHeight) + kSlack)
    return vlTr("The corner radius must be from 0 to half the label's shorter side");
  const double paperWidth = widthTenths / 10.0, paperHeight = heightTenths / 10.0;
  const double right = s.LeftMargin + (s.Columns - 1) * s.PitchX + s.LabelWidth;
  if (right > paperWidth + kSlack)
    return vlTr("The labels overflow the paper's right edge by %1: %2 columns end at %3 on %4 paper %5 wide",
                    {Mm(right - paperWidth), std::to_string(s.Columns), Mm(right), s.Paper, Mm(paperWidth)});
  const double bottom = s.TopMargin + (s.Rows - 1) * s.PitchY + s.LabelHeight;
  if (bottom > paperHeight + kSlack)
    return vlTr("The labels overflow the paper's bottom edge by %1: %2 rows end at %3 on %4 paper %5 high",
                    {Mm(bottom - paperHeight), std::to_string(s.Rows), Mm(bottom), s.Paper, Mm(paperHeight)});
  // Each row of labels is laid out one pitch high, gap below included.
  const double rowsEnd = s.TopMargin + s.Rows * s.PitchY;
  if (rowsEnd > paperHeight + kSlack)
    return vlTr("The gap below the last row overflows the paper's bottom edge by %1", {Mm(rowsEnd - paperHeight)});
  return {};
}

TvlMmRect vlLabelRect(const TvlLabelSheet& sheet, int index) {
  const int columns = std::max(1, sheet.Columns);
  const int column = index % columns, row = index / columns;
  return {sheet.LeftMargin + column * sheet.PitchX, sheet.TopMargin + row * sheet.PitchY, sheet.LabelWidth,
          sheet.LabelHeight};
}

}  // namespace vl
