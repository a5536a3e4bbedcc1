#pragma once
// The page-setup dialog the preview opens: Qt's page-setup dialog on the
// current printer, margins in hundredths of a millimetre. Replaceable, so
// that tests answer it.

#include <functional>

#include "engine/output/page_setup.h"

class QWidget;

namespace vl {

// Shows the dialog on choice (device settings and margins); true after OK
// with choice holding what the user chose.
using TvlPageSetupDialog = std::function<bool(TvlPageSetupChoice& choice, QWidget* parent)>;
TvlPageSetupDialog& vlPageSetupDialog();

}  // namespace vl
