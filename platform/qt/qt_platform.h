#pragma once
// Installs the Qt implementations of every platform facility. Call once after
// the QApplication exists.

namespace vl {

void vlInstallQtPlatform();

}  // namespace vl
