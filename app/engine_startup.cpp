#include "app/engine_startup.h"

#include <memory>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "engine/addins/barcode/barcode_addin.h"
#include "engine/data/database_library.h"
#include "engine/model/bracket_text.h"
#include "engine/model/deflate_compressor.h"
#include "engine/model/scratch_canvas.h"
#include "engine/model/view.h"
#include "engine/printer/printer.h"
#include "engine/binding/globals.h"
#include "engine/binding/standard_library.h"
#include "engine/binding/value_resolution.h"
#include "platform/platform.h"
#include "platform/qt/qt_canvas.h"

namespace vl {

namespace {
// Lives to program end: static destruction frees the shared objects after
// every window is gone.
std::unique_ptr<TvlGlobals> gEngineGlobals;
}  // namespace

void vlStartEngine() {
#ifdef __GLIBC__
  // Every PDF page (vlreport render, and printing, which hands CUPS a PDF)
  // is compressed through buffers of a few hundred kilobytes made and freed
  // again per page. With glibc's defaults those go back to the system after
  // every page and fault in again for the next, which costs four times the
  // drawing itself; kept in the heap, they are reused.
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
  vlResetPrinter(vlPlatform().Printer);
  if (!vlGlobals()) gEngineGlobals = std::make_unique<TvlGlobals>();
  // The two libraries every template may call; registering again does nothing.
  vlRegisterFunctionLibrary<TvlStdFunctionLibrary>();
  vlRegisterFunctionLibrary<TvlDBFunctionLibrary>();
  // Texts are measured with the installed fonts at design resolution. The
  // surface outlives the application object, so it is never destroyed.
  static TvlQtImageCanvas* scratch = new TvlQtImageCanvas(1, 1, 96);
  vlSetScratchCanvas(scratch);
  // Views' brackets go through the report's value resolution.
  vlBracketHooks().Text = [](TvlView&, const std::string& bracket) { return vlBracketText(std::string_view(bracket)); };
  // Prepared pages go into files compressed (a list page from 28 KB to 1.8 KB).
  vlInstallDeflateCompressor();
  // The add-in view classes this program carries.
  vlRegisterBarCodeView();
}

}  // namespace vl
