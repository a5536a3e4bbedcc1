#include "designer/band_types_form.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "designer/designer_text.h"
#include "designer/ok_cancel_buttons.h"
#include "engine/model/band_kinds.h"
#include "engine/model/page.h"

namespace vl {

bool vlBandTypeAllowed(const TvlPage* page, bool subReportTarget, int t) {
  if (t < btReportTitle || t > btChild) return false;
  if (subReportTarget && !vlBandKind(t).InSubReport) return false;
  if (vlBandKind(t).Repeatable || !page) return true;
  return std::none_of(page->Objects.begin(), page->Objects.end(),
                      [t](const auto& v) { return v->Typ == otBand && v->FrameTyp == t; });
}

TvlBandTypesForm::TvlBandTypesForm(const TvlPage* page, bool subReportTarget, QWidget* parent) : QDialog(parent) {
  setWindowTitle(vlStr(53510));
  auto* layout = new QVBoxLayout(this);
  box_ = new QGroupBox(vlStr(53511), this);
  group_ = new QButtonGroup(this);
  // Two columns of eleven: the second starts past the widest caption.
  constexpr int kRows = 11;
  std::vector<QRadioButton*> radios;
  int widest = 0;
  for (int t = btReportTitle; t <= btChild; ++t) {
    auto* radio = new QRadioButton(vlStr(str::kFirstBandName + t), box_);
    radio->setObjectName(QStringLiteral("Band%1").arg(t));
    radio->adjustSize();
    widest = std::max(widest, radio->sizeHint().width());
    radios.push_back(radio);
  }
  bool preselected = false;
  for (int t = btReportTitle; t <= btChild; ++t) {
    QRadioButton* radio = radios[static_cast<std::size_t>(t)];
    const int x = t < kRows ? 12 : widest + 62;
    radio->setGeometry(x, 20 + (t % kRows) * 20, widest, 20);
    radio->setEnabled(vlBandTypeAllowed(page, subReportTarget, t));
    if (radio->isEnabled() && !preselected) {
      radio->setChecked(true);
      preselected = true;
    }
    group_->addButton(radio, t);
  }
  box_->setFixedSize(2 * (widest + 20) + 54, 20 + kRows * 20 + 12);
  layout->addWidget(box_);
  layout->addWidget(vlOkCancelButtons(this));
  vlFixDialogSize(this);
}

int TvlBandTypesForm::BandType() const { return group_->checkedId(); }

}  // namespace vl
