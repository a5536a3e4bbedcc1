#pragma once
// Property operations shared by every class: the font of objects that own one,
// and the methods every string-list property offers.

#include <string>
#include <vector>

#include "engine/core/value.h"
#include "platform/graphics_types.h"

namespace vl {

// "FONT.NAME", "FONT.SIZE", "FONT.STYLE" and "FONT.COLOR" (upper-case names);
// other names leave the font alone.
void vlSetFontProperty(TvlFont& font, const std::string& upperName, const TvlValue& value);
// The same names; null for any other.
TvlValue vlGetFontProperty(const TvlFont& font, const std::string& upperName);

// The methods of a string-list property whose upper-case name is listName
// ("MEMO", "LINES"): SETINDEXPROPERTY, GETINDEXPROPERTY, and listName followed
// by ".ADD", ".CLEAR", ".DELETE" or ".INDEXOF". Argument texts of ADD, DELETE
// and INDEXOF are expressions, evaluated with the engine's shared evaluator.
// Null for any other method. An index outside the list raises TvlError.
TvlValue vlListMethod(std::vector<std::string>& list, const std::string& method, const TvlValue& p1,
                      const TvlValue& p2, const TvlValue& p3, const std::string& listName);

}  // namespace vl
