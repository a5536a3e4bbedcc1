#pragma once
// For the preview pictures in docs/: without a print server the preview's
// print buttons would be greyed, so the pictures show the window as on a
// desk with an envelope printer. Call after the engine has started.

#include "engine/printer/printer.h"
#include "platform/memory_printer.h"
#include "platform/platform.h"

namespace vl {

inline void vlInstallDeskPrinter() {
  static TvlMemoryPrinter printers{{vlSampleLaserPrinter("Envelope printer")}, 0};
  if (vlPrinter().VirtualIndex != 0) return;
  TvlPlatform platform = vlPlatform();
  platform.Printer = &printers;
  vlInstallPlatform(platform);
  vlResetPrinter(&printers);
}

}  // namespace vl
