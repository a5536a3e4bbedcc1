#pragma once
// Installs the page options, band type, band editor, picture, display
// format, object tag, restrictions and template dialogs into the designer's
// entry points (vlDesignerDialogs), and the string-table captions of the
// password prompt.

namespace vl {

void vlInstallDesignerDialogs();

}  // namespace vl
