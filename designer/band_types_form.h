#pragma once
// The band type chooser of the band insertion tool: one radio button per
// band type in two columns; types a page may hold only once are disabled
// while the page has one, and a sub-report's target page takes no title,
// summary, page, column or group bands.

#include <QDialog>

class QButtonGroup;
class QGroupBox;

namespace vl {

class TvlPage;

// Whether a band of that type may be inserted on the page.
bool vlBandTypeAllowed(const TvlPage* page, bool subReportTarget, int bandType);

class TvlBandTypesForm : public QDialog {
 public:
  TvlBandTypesForm(const TvlPage* page, bool subReportTarget, QWidget* parent = nullptr);

  // The checked type (the first enabled one until the user picks another);
  // -1 when every type is disabled.
  int BandType() const;
  QButtonGroup* Buttons() const { return group_; }
  QGroupBox* Box() const { return box_; }

 private:
  QButtonGroup* group_;
  QGroupBox* box_;
};

}  // namespace vl
