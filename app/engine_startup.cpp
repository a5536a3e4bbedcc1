#include "app/engine_startup.h"

#include <memory>

#include "engine/printer/printer.h"
#include "engine/report/globals.h"
#include "platform/platform.h"

namespace vl {

namespace {
// Lives to program end: static destruction frees the shared objects after
// every window is gone.
std::unique_ptr<TvlGlobals> gEngineGlobals;
}  // namespace

void vlStartEngine() {
  vlResetPrinter(vlPlatform().Printer);
  if (!vlGlobals()) gEngineGlobals = std::make_unique<TvlGlobals>();
}

}  // namespace vl
