#include "engine/binding/run_access.h"

#include "engine/core/run_context.h"
#include "engine/model/view.h"

namespace vl {

std::int32_t TvlRunAccess::CalcWidth(TvlView* view) { return view ? view->Width : 0; }

namespace {
TvlRunAccess gDefaultAccess;
}  // namespace

TvlRunAccess& vlRunAccess() {
  TvlRunAccess* access = vlRunContext().Access;
  return access ? *access : gDefaultAccess;
}
void vlSetRunAccess(TvlRunAccess* access) { vlRunContext().Access = access; }

}  // namespace vl
