#include "app/launcher_labels.h"

#include <QMessageBox>
#include <memory>

#include "app/label_sheets.h"
#include "app/labels_window.h"
#include "app/main_form.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/data/db_dataset.h"
#include "engine/data/envelope_record.h"
#include "engine/labels/label_check.h"
#include "engine/labels/leading_blanks.h"
#include "engine/labels/sheet_catalogue.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

void ShowError(const std::string& text) { vlShowMessage(text, vlLoadStr(str::kError), TvlMsgIcon::Error); }

// Prepares and shows the labels of one choice; the bindings last until the
// preview closes, as an envelope batch's do.
void ShowLabels(TFormMain& w, const TvlLabelSheet& sheet, const TLabelChoice& choice) {
  TvlReport& report = w.vlReport1;
  vlBuildLabelTemplate(report, sheet, choice.Layout);
  std::unique_ptr<TvlAddressBinding> addresses;
  std::unique_ptr<TvlEnvelopeRecord> sender;
  if (choice.Layout == TvlLabelLayout::Return) {
    TvlEnvelopeValues values;
    const TvlEnvelopeValues remembered = w.Recipient.EngineValues();
    for (int f : {efSenderAddress, efSenderPostcode}) values[f] = remembered[f];
    sender = std::make_unique<TvlEnvelopeRecord>(w.Components, report, values, sheet.Labels() - (choice.Start - 1));
  } else {
    addresses = w.AddressList.Bind(report, false);
    if (!addresses) return;
  }
  std::unique_ptr<TvlLeadingBlanks> blanks;
  if (auto* walked = dynamic_cast<TvlDBDataSet*>(w.Components.FindComponent(vlLabelDatasetOf(report)));
      walked && choice.Start > 1)
    blanks = std::make_unique<TvlLeadingBlanks>(*walked, choice.Start - 1);
  QString title = vlToQt(sheet.Name);
  if (addresses) title = QStringLiteral("%1 – %2").arg(title, w.AddressList.CaptionText());
  report.Title = vlFromQt(title);
  if (!report.Prepare()) return;
  if (addresses) {
    const std::vector<TvlEnvelopeProblem> problems =
        vlCheckLabels(report, *addresses, sheet, choice.Start, choice.Start - 1);
    if (!problems.empty() && !(w.AskLabels && w.AskLabels(problems, static_cast<int>(w.AddressList.Count()))))
      return;
  }
  report.ShowPrepared();
}

}  // namespace

void vlAddressLabels(TFormMain& w) {
  std::vector<TvlLabelSheet> sheets;
  try {
    sheets = vlOfferedSheets(*vlPlatform().Settings);
  } catch (const TvlError& e) {
    return ShowError(e.what());
  }
  const QString sender = w.Recipient[efSenderAddress].trimmed();
  TLabelsWindow window(std::move(sheets), vlLoadLabelChoice(), w.AddressList.InForce() ? w.AddressList.CaptionText() : QString(),
                       sender, &w);
  if (!w.ExecLabelsWindow || !w.ExecLabelsWindow(window) || !window.Sheet()) return;
  const TLabelChoice choice = window.Choice();
  vlRememberLabelChoice(choice);
  try {
    ShowLabels(w, *window.Sheet(), choice);
  } catch (const TvlError& e) {
    ShowError(e.what());
  }
}

}  // namespace vl
