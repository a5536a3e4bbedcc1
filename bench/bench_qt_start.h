#pragma once
// What the benchmarks that draw through the Qt surface share: the
// application object (offscreen) and the engine started as the programs
// start them, and the process's peak memory.

#include <sys/resource.h>

#include <QGuiApplication>
#include <cstdlib>

#include "app/engine_startup.h"

namespace vl::bench {

// Once per process.
inline void StartQtEngine() {
  static int argc = 1;
  static char name[] = "bench";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    auto* a = new QGuiApplication(argc, argv);
    vlStartEngine();
    return a;
  }();
  (void)app;
}

inline double PeakMb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

}  // namespace vl::bench
