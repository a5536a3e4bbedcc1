#pragma once
// "Insert DB fields": a dataset's chosen fields laid out on the current page
// as text objects, with headers and bands when asked, in one undo step.

#include <functional>
#include <string>

namespace vl {

class TvlDesignerForm;
struct TvlInsertFieldsChoice;

// Text widths in pixels in a font: name, size in points, bold.
using TvlTextMeasure = std::function<int(const std::string& font, int size, bool bold, const std::string& text)>;

// Lays the choice out on the window's current page (nothing without a
// dataset or without a chosen field). Widths are measured with the surface's
// fonts unless a measure is given.
void vlLayOutFields(TvlDesignerForm& form, const TvlInsertFieldsChoice& choice, const TvlTextMeasure& measure = {});
// The tool: the insert-fields dialog, then the layout.
void vlInsertFields(TvlDesignerForm& form);

}  // namespace vl
