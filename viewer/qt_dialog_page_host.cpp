#include "viewer/qt_dialog_page_host.h"

#include "viewer/dialog_page_form.h"

namespace vl {

TvlQtDialogPageHost::TvlQtDialogPageHost() = default;
TvlQtDialogPageHost::~TvlQtDialogPageHost() = default;

void TvlQtDialogPageHost::Open(TvlPage& page) { forms_[&page] = std::make_unique<TvlDialogPageForm>(page); }

std::int32_t TvlQtDialogPageHost::ShowModal(TvlPage& page) {
  auto found = forms_.find(&page);
  if (found == forms_.end()) found = forms_.emplace(&page, std::make_unique<TvlDialogPageForm>(page)).first;
  return found->second->ShowModal();
}

void TvlQtDialogPageHost::Close(TvlPage& page) { forms_.erase(&page); }

TvlDialogPageForm* TvlQtDialogPageHost::Form(const TvlPage& page) const {
  const auto found = forms_.find(&page);
  return found == forms_.end() ? nullptr : found->second.get();
}

void vlInstallDialogPageHost() {
  // Windows must not outlive the application object: the host is never
  // destroyed, and it holds no window between runs.
  static TvlQtDialogPageHost* host = new TvlQtDialogPageHost;
  vlSetDialogPageHost(host);
}

}  // namespace vl
