#include "app/engine_startup.h"

#include "engine/model/scratch_canvas.h"
#include "engine/printer/printer.h"
#include "platform/platform.h"
#include "platform/qt/qt_canvas.h"

namespace vl {

void vlStartEngine() {
  vlResetPrinter(vlPlatform().Printer);
  // Texts are measured with the installed fonts at design resolution. The
  // surface outlives the application object, so it is never destroyed.
  static TvlQtImageCanvas* scratch = new TvlQtImageCanvas(1, 1, 96);
  vlSetScratchCanvas(scratch);
}

}  // namespace vl
