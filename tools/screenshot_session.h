#pragma once
// What a screenshot program sets up before its windows: the Qt platform,
// the environment's language (LANG=zh_CN.UTF-8 gives the Chinese pictures),
// an in-memory settings store (the user's own settings are neither read nor
// changed), the engine, every engine window and the desk printer, the
// mouse out of the way; and a way to let the windows settle.

#include <QApplication>
#include <QCursor>

#include "app/engine_startup.h"
#include "engine/core/language.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_language.h"
#include "platform/qt/qt_platform.h"
#include "tools/desk_printer.h"
#include "viewer/engine_windows.h"

namespace vl {

class TScreenshotSession {
 public:
  TScreenshotSession() {
    vlInstallQtPlatform();
    vlSetLanguage(vlEnvironmentLanguage());
    vlInstallQtLanguage();
    vlInstallPlatform(TvlPlatform{nullptr, &settings_, nullptr, nullptr});
    vlStartEngine();
    vlInstallEngineWindows();
    vlInstallDeskPrinter();
    QCursor::setPos(0, 0);
  }

 private:
  TvlMemorySettingsStore settings_;
};

// Lets pending paint and layout events through.
inline void vlSettle() {
  for (int k = 0; k < 20; ++k) QApplication::processEvents();
}

}  // namespace vl
