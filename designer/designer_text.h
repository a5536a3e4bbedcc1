#pragma once
// An engine text by number as a Qt string.

#include <QString>

#include "engine/core/string_table.h"
#include "platform/qt/qt_text.h"

namespace vl {

inline QString vlStr(int id) { return vlToQt(vlLoadStr(id)); }

}  // namespace vl
