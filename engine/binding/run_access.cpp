#include "engine/binding/run_access.h"

#include "engine/model/view.h"

namespace vl {

std::int32_t TvlRunAccess::CalcWidth(TvlView* view) { return view ? view->Width : 0; }

namespace {
TvlRunAccess gDefaultAccess;
TvlRunAccess* gAccess = &gDefaultAccess;
}  // namespace

TvlRunAccess& vlRunAccess() { return *gAccess; }
void vlSetRunAccess(TvlRunAccess* access) { gAccess = access ? access : &gDefaultAccess; }

}  // namespace vl
