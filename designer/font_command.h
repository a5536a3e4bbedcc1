#pragma once
// The font dialog command (the inspector's Font button and a double click on
// the font-name box): the platform font dialog on the topmost selected memo;
// what the user changed there goes to every selected memo.

#include <functional>

#include "platform/graphics_types.h"

class QWidget;

namespace vl {

class TvlDesignerForm;
class TvlView;

// The font dialog itself; tests answer it. False when cancelled.
std::function<bool(QWidget* owner, TvlFont& font)>& vlFontDialog();

// True when something changed.
bool vlEditFont(TvlDesignerForm& form, TvlView* view);

}  // namespace vl
