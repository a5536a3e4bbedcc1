#include "app/engine_startup.h"

#include "engine/printer/printer.h"
#include "platform/platform.h"

namespace vl {

void vlStartEngine() { vlResetPrinter(vlPlatform().Printer); }

}  // namespace vl
