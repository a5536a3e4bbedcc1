#pragma once
// A sheet of self-adhesive labels: its paper and the grid of labels on it,
// in millimetres as the makers give them, and where each label lies.

#include <cstdint>
#include <string>

namespace vl {

struct TvlLabelSheet {
  std::string Name;
  std::string Paper = "A4";       // a paper name vlLabelPaperCode knows
  double LabelWidth = 0, LabelHeight = 0;
  std::int32_t Columns = 0, Rows = 0;
  double TopMargin = 0, LeftMargin = 0;  // paper edge to the first label
  double PitchX = 0, PitchY = 0;          // one label's left (top) edge to the next one's
  double CornerRadius = 0;                // drawing only

  std::int32_t Labels() const { return Columns * Rows; }
  bool operator==(const TvlLabelSheet&) const = default;
};

// A rectangle in millimetres from the paper's top-left corner.
struct TvlMmRect {
  double Left = 0, Top = 0, Width = 0, Height = 0;
};

// The papers label sheets come on: the printer model's code and the size in
// tenths of a millimetre, portrait. False for a name it does not know.
bool vlLabelPaper(const std::string& paper, std::int32_t& code, std::int32_t& widthTenths,
                  std::int32_t& heightTenths);

// Why the sheet cannot be printed, one sentence naming what is wrong (a
// number out of range, labels that overlap, labels that overflow the paper
// and by how much); empty when it can.
std::string vlLabelSheetProblem(const TvlLabelSheet& sheet);

// Label index (0 = first, across then down) as the sheet places it.
TvlMmRect vlLabelRect(const TvlLabelSheet& sheet, int index);

}  // namespace vl
