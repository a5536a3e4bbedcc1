#pragma once
// Dialog pages shown as Qt windows: the host the program installs at
// start-up in place of the engine's headless one (which answers OK).

#include <map>
#include <memory>

#include "engine/formation/dialog_page_host.h"

namespace vl {

class TvlDialogPageForm;

class TvlQtDialogPageHost : public TvlDialogPageHost {
 public:
  TvlQtDialogPageHost();
  ~TvlQtDialogPageHost() override;

  void Open(TvlPage& page) override;
  std::int32_t ShowModal(TvlPage& page) override;
  void Close(TvlPage& page) override;

  // The open window of a page; nullptr when none (tests drive it).
  TvlDialogPageForm* Form(const TvlPage& page) const;

 private:
  std::map<const TvlPage*, std::unique_ptr<TvlDialogPageForm>> forms_;
};

// Installs the Qt host for the program's lifetime.
void vlInstallDialogPageHost();

}  // namespace vl
