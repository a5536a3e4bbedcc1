#pragma once
// A label template made from a sheet: the sheet's geometry in page units, a
// master data band one label pitch high with one band column per label
// across, walking the labels' dataset, and the label's own layout inside
// the first label. The template is an ordinary one: the designer opens,
// changes and saves it like any other.

#include <cstdint>
#include <string>

#include "engine/labels/label_sheet.h"

namespace vl {

class TvlReport;

enum class TvlLabelLayout : std::uint8_t {
  Recipient,  // the recipient's name, address and postcode
  Barcode,    // the same with the postcode as a barcode
  Return,     // the sender's address and postcode (a whole sheet of them)
};

// "recipient", "barcode", "return".
const char* vlLabelLayoutName(TvlLabelLayout layout);
// False for a name that is none of them (ignoring case).
bool vlLabelLayoutOf(const std::string& name, TvlLabelLayout& layout);

// The band that prints one label and the outline that shows each label's
// edge on screen (design and preview) but never on paper.
inline constexpr const char* kLabelBandName = "LabelBand";
inline constexpr const char* kLabelOutlineName = "LabelOutline";

// Page units per millimetre of paper: the unit a prepared page is drawn in
// when it fills its paper (not the designer's 18 pixels to 5 mm, which
// would put the last label of a sheet some tenths of a millimetre short).
double vlPageUnitsPerMm();

// Where the template puts the sheet's labels, in page units: the first
// label's left and top edges, the step from one label to the next across
// and down, and a label's size.
struct TvlLabelGrid {
  std::int32_t Left = 0, Top = 0, StepX = 0, StepY = 0, Width = 0, Height = 0;
};
TvlLabelGrid vlLabelGrid(const TvlLabelSheet& sheet);

// Replaces report's pages and dictionary with the label template of a
// sheet (checked first: raises TvlError with the sheet's problem). The band
// walks the dataset "Addresses" (the return layout: "Recipient", the
// sender's record repeated) and prints the envelope variables.
void vlBuildLabelTemplate(TvlReport& report, const TvlLabelSheet& sheet, TvlLabelLayout layout);

// The dataset the band of a layout walks.
const char* vlLabelDataset(TvlLabelLayout layout);
// The dataset a label template's band walks ("" when report has no label
// band), and another one for a run (a sheet of one record's copies).
std::string vlLabelDatasetOf(const TvlReport& report);
void vlSetLabelDataset(TvlReport& report, const std::string& dataset);

}  // namespace vl
