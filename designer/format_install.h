#pragma once
// Installs the formatting parts of the designer: the "Text" and "Rectangle"
// toolbars and the "Alignment" palette on every new designer window, and the
// "Highlight" and "Font" property editors and the "Insert DB fields" tool.

namespace vl {

void vlInstallFormatting();

}  // namespace vl
