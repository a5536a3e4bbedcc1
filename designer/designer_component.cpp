#include "designer/designer_component.h"

#include "designer/designer_install.h"
#include "designer/designer_restrictions.h"
#include "engine/core/error.h"

namespace vl {

namespace {
TvlDesigner*& Instance() {
  static TvlDesigner* instance = nullptr;
  return instance;
}
}  // namespace

std::uint16_t& DesignRestrictions() {
  static std::uint16_t restrictions = 0;
  return restrictions;
}

TvlDesigner::TvlDesigner() {
  if (Instance()) throw TvlError("You already have one TvlDesigner component");
  Instance() = this;
  vlInstallDesigner();
}

TvlDesigner::~TvlDesigner() {
  if (Instance() == this) Instance() = nullptr;
}

TvlDesigner* vlDesignerComponent() { return Instance(); }

}  // namespace vl
