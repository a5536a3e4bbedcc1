#include "engine/formation/dialog_page_host.h"

namespace vl {
namespace {

// Without a screen a dialog page is taken as confirmed.
class TvlHeadlessDialogPageHost : public TvlDialogPageHost {
 public:
  std::int32_t ShowModal(TvlPage&) override { return mrOk; }
};

TvlHeadlessDialogPageHost gHeadless;
TvlDialogPageHost* gHost = &gHeadless;

}  // namespace

TvlDialogPageHost& vlDialogPageHost() { return *gHost; }
void vlSetDialogPageHost(TvlDialogPageHost* host) { gHost = host ? host : &gHeadless; }

}  // namespace vl
