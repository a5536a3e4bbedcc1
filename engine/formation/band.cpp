#include "engine/formation/band.h"

#include "engine/data/dataset.h"
#include "engine/data/dataset_names.h"
#include "engine/formation/formation.h"
#include "engine/formation/page_run.h"
#include "engine/model/layout_bounds.h"
#include "engine/model/page.h"

namespace vl {

TvlBand::TvlBand(std::uint8_t type, TvlPageRun* page) : Page(page), Type(type) {}

TvlBand::TvlBandCoordinates::TvlBandCoordinates(TvlBand& band) : band_(band) {
  if (band_.relativeDepth_++ == 0) band_.ShiftViewTops(-band_.OriginTop);
}

TvlBand::TvlBandCoordinates::~TvlBandCoordinates() {
  if (--band_.relativeDepth_ == 0) band_.ShiftViewTops(band_.OriginTop);
}

void TvlBand::ShiftViewTops(std::int32_t dy) {
  // Cross bands hold their views by left only; their tops belong to the
  // horizontal band they print in.
  if (dy == 0 || vlIsVerticalBand(Type)) return;
  for (TvlView* v : Objects) v->Top = vlClampTo32(std::int64_t{v->Top} + dy);
}

TvlBand::~TvlBand() {
  if (View && View->PreparedBand == this) View->PreparedBand = nullptr;
  ReleaseDatasets();
}

void TvlBand::ReleaseDatasets() {
  // A band tree is torn down also after errors: a dataset that fails to
  // close must not stop the others from being released.
  auto release = [](TvlDataset*& dataset, std::unique_ptr<TvlDataset>& owned) {
    if (dataset) {
      try {
        dataset->Exit();
      } catch (...) {
      }
    }
    dataset = nullptr;
    owned.reset();
  };
  release(Dataset, OwnedDataset);
  release(CrossDataset, OwnedCrossDataset);
}

void TvlBand::RestartRun() {
  LineInGroup = LineThrough = 1;
  GroupValue = TvlValue();
  for (TvlAccumulator& a : Accumulators) {
    a.Value = TvlValue(0);
    a.Records = 0;
  }
  AccumulatedRecords = 0;
  KeepAccumulators = ScriptDone = KeepCursorY = false;
  ColumnIndex = 1;
  CrossColumnCount = 0;
  NewPageRequests = NewColumnRequests = 0;
}

void TvlBand::SetDataSource(const std::string& text) {
  if (Type == btGroupHeader) {
    Condition = Page->Run.Compile(text);
    return;
  }
  if (Dataset) {
    TvlDataset* d = Dataset;
    Dataset = nullptr;
    try {
      d->Exit();
    } catch (...) {
    }
    OwnedDataset.reset();
  }
  if (text.empty() || text.find(';') != std::string::npos) return;
  TvlDatasetRef ref = vlResolveDataset(text, Page->Run.ReportOwner());
  Dataset = ref.Dataset;
  OwnedDataset = std::move(ref.Owned);
}

void TvlBand::SetChild(const std::string& viewName) {
  ChildLink = nullptr;
  if (TvlView* v = Page->Page.FindObject(viewName))
    if (v->Typ == otBand)
      if (auto* bv = static_cast<TvlBandView*>(v); bv->PreparedBand)
        ChildLink = static_cast<TvlBand*>(bv->PreparedBand);
}

void TvlBand::SetGroupCondition(const std::string& condition) {
  if (Type == btGroupHeader) Condition = Page->Run.Compile(condition);
}

bool TvlBand::DataSetEof() { return Dataset ? Dataset->Eof() : true; }
void TvlBand::DataSetNext() {
  if (Dataset) Dataset->Next();
}
void TvlBand::DataSetPrior() {
  if (Dataset) Dataset->Prior();
}
void TvlBand::DataSetFirst() {
  if (Dataset) Dataset->First();
}

}  // namespace vl
