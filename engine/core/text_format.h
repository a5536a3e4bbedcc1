#pragma once
// Texts with numbered places: "%1 labels on %2" with its values put in, so
// that a message stays one whole text (which a translation can reorder).

#include <initializer_list>
#include <string>
#include <string_view>

namespace vl {

// Replaces %1 ... %9 by the values in order; a place without a value, and
// any other "%", stays as it is. Values are put in as they are (a "%1" in a
// value is not replaced again).
std::string vlFormat(std::string_view pattern, std::initializer_list<std::string> values);

}  // namespace vl
