#include "designer/insert_fields_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <algorithm>
#include <cmath>
#include <vector>

#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/insert_fields_dialog.h"
#include "designer/page_edits.h"
#include "engine/core/engine_state.h"
#include "engine/data/data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/model/object_factory.h"
#include "engine/model/page_limits.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {

constexpr int kDataOffset = 72;  // data row under the header row

constexpr int kSampledRows = 20;  // rows measured for a field without a display width

struct TvlFieldDisplay {
  int Width = 0;  // characters
  std::string Name;
  std::vector<std::string> Samples;  // the first rows' texts, measured when Width is 0
};

// The field's texts in the first rows; the source is left on its first record.
std::vector<std::string> SampleTexts(TvlDataSource& source, int index) {
  std::vector<std::string> texts;
  source.First();
  for (int row = 0; row < kSampledRows && !source.Eof(); ++row) {
    texts.emplace_back(source.DisplayText(index));
    source.Next();
  }
  source.First();
  return texts;
}

// The field's display width and name; an unknown field shows under its list
// text. A field without a usable width (0, or 256 and more) is sized from its
// values in the first rows, and 6 characters when it has none.
TvlFieldDisplay FieldDisplay(TvlReport& report, const TvlInsertFieldsChoice& choice, const std::string& listed) {
  TvlFieldDisplay d{0, listed, {}};
  TvlDataSource& source = *choice.DataSet;
  const std::string field = report.Dictionary.RealFieldName(report.Dictionary.RealDataSetName(choice.DataSetText), listed);
  try {
    if (!source.Active()) source.Open();
    const int index = source.FieldIndex(field);
    if (index >= 0) {
      d.Width = source.DisplayWidth(index);
      d.Name = source.DisplayName(index);
      if (d.Width <= 0 || d.Width >= 256) d.Samples = SampleTexts(source, index);
    }
  } catch (const std::exception&) {
    // A source that does not open lists no fields: the defaults stand.
  }
  if (d.Width <= 0 || d.Width >= 256) d.Width = 6;
  return d;
}

// The report dataset component that walks the source, by its path from the
// report's owner ("Form.Name" for one on another form); empty when none.
std::string WrappingDataset(const TvlReport& report, const TvlDataSource* source) {
  const auto found = vlListComponents(report.Owner, [source](const TvlComponent& c) {
    const auto* db = dynamic_cast<const TvlDBDataSet*>(&c);
    return db && db->GetDataSet() == source;
  });
  return found.empty() ? std::string() : found.front().Path;
}

int Round(double v) { return static_cast<int>(std::lrint(v)); }

}  // namespace

void vlLayOutFields(TvlDesignerForm& form, const TvlInsertFieldsChoice& choice, const TvlTextMeasure& given) {
  TvlPage* page = form.Page;
  if (!page || page->PageType != ptReport || !choice.DataSet) return;
  bool any = false;
  for (bool s : choice.Selected) any = any || s;
  if (!any) return;
  TvlDesignerPage& surface = *form.Surface();
  const TvlTextMeasure measure = given ? given : [&surface](const std::string& font, int size, bool bold,
                                                           const std::string& text) {
    QFont f(vlToQt(font));
    f.setPointSize(std::max(1, size));
    f.setBold(bold);
    return QFontMetrics(f, &surface).horizontalAdvance(vlToQt(text));
  };
  const int grid = std::max(1, form.Options.GridSize);
  const TvlPageLimits limits = vlPageLimits(*page);
  const TvlLastUsedAttributes& last = vlLastUsed();
  int x = limits.Left, y = limits.Top;
  vlState().CurPage = page;
  form.ClearSelection();
  surface.AnchorObject = nullptr;

  auto newMemo = [&](int left, int top, bool bold, const std::string& text) {
    std::unique_ptr<TvlView> created = vlCreateView(otMemo, {});
    auto& memo = static_cast<TvlMemoView&>(*created);
    page->Objects.push_back(std::move(created));
    memo.CreateUniqueName();
    const TvlSize size = form.DefaultObjectSize();
    memo.Left = left;
    memo.Top = top;
    memo.Width = size.Width;
    memo.Height = size.Height;
    memo.Font.Name = last.Font.Name;
    memo.Font.Size = last.Font.Size;
    if (bold) memo.Font.Style |= fsBold;
    memo.Memo = {text};
    memo.Selected = 1;
    return &memo;
  };

  std::vector<std::pair<TvlView*, TvlView*>> columns;  // header (or none), data memo
  TvlView* lastMemo = nullptr;
  TvlView* lastHeader = nullptr;
  for (std::size_t i = 0; i < choice.Fields.size(); ++i) {
    if (i >= choice.Selected.size() || !choice.Selected[i]) continue;
    const std::string& listed = choice.Fields[i];
    const TvlFieldDisplay display = FieldDisplay(form.Report, choice, listed);
    const std::string dataText = "[" + choice.DataSetText + ".\"" + listed + "\"]";
    const int charWidth = measure(last.Font.Name, last.Font.Size, false, "=");
    // The data column's width: its display width down to the grid, or, when
    // the source gives none, at least its widest sampled text with a
    // character to spare, up to the grid so that no text is cut.
    int dataWidth = grid * (charWidth * display.Width / grid);
    for (const std::string& text : display.Samples) {
      const int needed = measure(last.Font.Name, last.Font.Size, false, text) + charWidth;
      dataWidth = std::max(dataWidth, (needed + grid - 1) / grid * grid);
    }
    TvlView* data = nullptr;
    TvlView* header = nullptr;
    if (choice.Headers) {
      header = newMemo(x, y, true, display.Name);
      header->Width = grid * (measure(last.Font.Name, last.Font.Size, true, display.Name + "   ") / grid);
      const int left = choice.Horizontal ? x : x + 2 * grid + header->Width;
      const int top = choice.Horizontal ? y + kDataOffset : y;
      data = newMemo(left, top, false, dataText);
      data->Width = dataWidth;
      lastHeader = header;
    } else {
      data = newMemo(x, y, false, dataText);
      data->Width = dataWidth;
    }
    lastMemo = data;
    columns.emplace_back(header, data);
    if (choice.Horizontal)
      x += grid + lastMemo->Width;
    else
      y += grid + lastMemo->Height;
  }

  // A row wider than the printable width is squeezed to fit.
  const int printable = limits.Right - limits.Left;
  if (choice.Horizontal && printable > 0 && lastMemo && lastMemo->Left + lastMemo->Width > printable) {
    const double k = static_cast<double>(lastMemo->Left + lastMemo->Width) / printable;
    for (auto& [header, data] : columns) {
      data->Left = limits.Left + Round((data->Left - limits.Left) / k);
      data->Width = Round(data->Width / k);
      if (header) {
        header->Left = limits.Left + Round((header->Left - limits.Left) / k);
        header->Width = std::min(header->Width, data->Width);
      }
    }
  }

  if (choice.Bands && lastMemo) {
    const TvlView* bottomMemo = choice.Headers ? lastHeader : lastMemo;
    const int height = bottomMemo->Top + bottomMemo->Height - limits.Top;
    auto newBand = [&](int type, int top) {
      std::unique_ptr<TvlView> created = vlNewBand(type);
      TvlView& band = *created;
      page->Objects.push_back(std::move(created));
      band.CreateUniqueName();
      band.Left = 0;
      band.Top = top;
      band.Width = surface.width();
      band.Height = height;
      band.Selected = 1;
      if (type == btMasterData) band.FormatText = WrappingDataset(form.Report, choice.DataSet);
      return &band;
    };
    if (choice.Horizontal && choice.Headers) {
      bool hasPageHeader = false;
      for (const auto& v : page->Objects) hasPageHeader = hasPageHeader || (v->Typ == otBand && v->FrameTyp == btPageHeader);
      if (!hasPageHeader) newBand(btPageHeader, limits.Top);
      newBand(btMasterData, limits.Top + kDataOffset);
    } else {
      newBand(btMasterData, limits.Top);
    }
  }

  form.SelectionChanged();
  form.ApplyBandOrder();
  surface.ComputeGroupBounds();
  surface.SettleGeometry();
  surface.update();
  form.RecordUndo(ukInsert);
}

void vlInsertFields(TvlDesignerForm& form) {
  if (!form.Page || form.Page->PageType != ptReport) return;
  TvlInsertFieldsChoice choice;
  if (!vlChooseInsertFields(&form, form.Report, choice)) return;
  vlLayOutFields(form, choice);
}

}  // namespace vl
