#pragma once
// The font dialog command (the inspector's Font button and a double click on
// the font-name box): the platform font dialog on the topmost selected memo;
// what the user changed there goes to every selected memo.

#include <functional>

#include "platform/graphics_types.h"

class QFont;
class QWidget;

namespace vl {

class TvlDesignerForm;
class TvlView;

// The font dialog itself; tests answer it. False when cancelled.
std::function<bool(QWidget* owner, TvlFont& font)>& vlFontDialog();

// What the platform dialog starts with: the family the face is drawn with,
// its size and style.
QFont vlFontDialogStart(const TvlFont& font);
// The dialog's answer into font: a family that is the face's own twin keeps
// the face's name; colour and character set stay.
void vlTakeFontDialogChoice(const QFont& chosen, TvlFont& font);

// True when something changed.
bool vlEditFont(TvlDesignerForm& form, TvlView* view);

}  // namespace vl
