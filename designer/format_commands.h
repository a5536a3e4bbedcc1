#pragma once
// What each formatting control of the "Text" and "Rectangle" toolbars does
// to one object, keyed by the control's tag, apart from the controls
// themselves: the toolbars read their controls into TvlFormatControls and
// apply a command to every selected object through this.

#include <optional>
#include <string>

#include "designer/designer_form.h"

namespace vl {

class TvlMemoView;
class TvlView;

// The controls' tags.
enum TvlFormatTag : int {
  ftTopLine = 1,      // FrB1
  ftLeftLine = 2,     // FrB2
  ftBottomLine = 3,   // FrB3
  ftRightLine = 4,    // FrB4
  ftFillColor = 5,    // ClB1
  ftFrameWidth = 6,   // C4
  ftFontName = 7,     // C2
  ftFontSize = 8,     // C3
  ftBold = 9,         // FnB1
  ftItalic = 10,      // FnB2
  ftAlignLeft = 11,   // AlB1
  ftAlignRight = 12,  // AlB2
  ftAlignCenter = 13, // AlB3
  ftRotated = 14,     // AlB4
  ftVertical = 15,    // AlB6, AlB5, AlB7
  ftFontColor = 17,   // ClB2
  ftUnderline = 18,   // FnB3
  ftFrameColor = 19,  // ClB3
  ftAllLines = 20,    // FrB5
  ftNoLines = 21,     // FrB6
  ftAlignWidth = 22,  // AlB8
  ftLineStyle = 25,   // the line-style panel: 25 solid ... 30 double
  ftLastLineStyle = 30,
};

// The state of the controls a command reads.
struct TvlFormatControls {
  bool TopLine = false, LeftLine = false, BottomLine = false, RightLine = false;
  TvlColor FillColor = clNone, FontColor = clBlack, FrameColor = clBlack;
  float FrameWidth = 1.0f;  // the frame-width box, already read as a number
  std::string FontName;
  int FontSize = 10;  // the font-size box, already read as a number
  bool Bold = false, Italic = false, Underline = false;
  bool Rotated = false, VCenter = false, VBottom = false;
};

// A box's text as a number: comma or point as the decimal separator, blanks
// around it allowed; nothing for any other text.
std::optional<float> vlReadFrameWidth(const std::string& text);
std::optional<int> vlReadFontSize(const std::string& text);

// Whether a command applies to the object: never to a band or to an object
// that may not be modified; text commands to text objects only.
bool vlFormatApplies(const TvlView& view, int tag);
// Applies the command of the tag to one object (when it applies) and keeps
// the last-used attribute the command updates.
void vlApplyFormatCommand(TvlView& view, int tag, const TvlFormatControls& controls, TvlLastUsedAttributes& last);

// The memo a dialog of the selection starts from: the given object when it is
// a memo, else the topmost selected memo; none when the editor check fails
// (editing restricted, or the topmost selected object's contents may not be
// edited) or no memo is selected.
TvlMemoView* vlEditedMemo(const TvlDesignerForm& form, TvlView* view);

}  // namespace vl
