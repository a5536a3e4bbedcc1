#pragma once
// The report's own data sources in the designer: while a designer window is
// open they stand on the report's owner as datasets (a window on a report
// without an owner lends it a form of its own), so the dictionary, Insert DB
// fields, the field chooser, the DB fields window and the preview see them.
// They are put on afresh whenever another report comes in or the
// "Data sources…" command (File menu, and the dictionary editor) changes
// them; a source whose file cannot be read is said once and left out.

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "engine/model/report_data_sources.h"

namespace vl {

class TvlComponent;
class TvlDesignerForm;
class TvlForm;
class TvlReport;
class TvlReportSourcesOnForm;

class TvlDesignerDataSources : public QObject {
 public:
  explicit TvlDesignerDataSources(TvlDesignerForm& form);
  ~TvlDesignerDataSources() override;

  // The window's own, or none.
  static TvlDesignerDataSources* Of(const TvlDesignerForm& form);

  // Puts the report's sources on its owner afresh; tell: sources that cannot
  // be read are named in one message.
  void Attach(bool tell);
  // Attach(true) when another report came in since (another file name or
  // other sources).
  void AttachWhenChanged();
  // The dialog; true after a change (the report is then modified).
  bool Edit(QWidget* owner);

 private:
  TvlDesignerForm& form_;
  // The report itself: the window is half gone when this object goes.
  TvlReport& report_;
  TvlComponent* previousOwner_ = nullptr;
  std::unique_ptr<TvlForm> lentOwner_;
  std::unique_ptr<TvlReportSourcesOnForm> attached_;
  std::string attachedFile_;
  std::vector<TvlReportDataSource> attachedItems_;
};

// Adds the command "DataSources" to every designer window and the button to
// the dictionary editor.
void vlInstallDataSources();

}  // namespace vl
