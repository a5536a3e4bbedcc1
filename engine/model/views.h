#pragma once
// Every view class, for code that works with all of them.

#include "engine/model/band_view.h"
#include "engine/model/control.h"
#include "engine/model/line_view.h"
#include "engine/model/memo_view.h"
#include "engine/model/picture_view.h"
#include "engine/model/subreport_view.h"
#include "engine/model/view.h"
