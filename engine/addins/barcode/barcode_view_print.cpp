// A barcode view during preparation: its value is expanded like a text
// view's memo line, so each record of a merge gets its own code. Whether
// the value can be encoded is the drawing's concern: preparation writes it
// as it is and never fails for it.

#include "engine/addins/barcode/barcode_view.h"
#include "engine/model/bracket_text.h"

namespace vl {

void TvlBarCodeView::PreparePrint() {
  PrintedCode = Code.find('[') == std::string::npos ? Code : vlExpandBrackets(*this, Code);
}

}  // namespace vl
