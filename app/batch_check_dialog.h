#pragma once
// The summary shown before a batch over an address list prints when some
// envelopes would print wrong: the envelopes with problems (row, name,
// problem) and the choice "Print all", "Print only the good ones" or
// "Cancel".

#include <QDialog>
#include <vector>

#include "engine/data/envelope_check.h"

class QTableWidget;
class QPushButton;

namespace vl {

enum class TBatchChoice { PrintAll, PrintGood, Cancel };

class TBatchCheckDialog : public QDialog {
 public:
  // envelopes: how many the batch has.
  TBatchCheckDialog(const std::vector<TvlEnvelopeProblem>& problems, int envelopes, QWidget* parent = nullptr);

  TBatchChoice Choice() const noexcept { return choice_; }

  QTableWidget* Problems = nullptr;
  QPushButton *PrintAll = nullptr, *PrintGood = nullptr, *Cancel = nullptr;

 private:
  TBatchChoice choice_ = TBatchChoice::Cancel;
};

// The rows (from 1) that have a problem, each once, in order.
std::vector<int> vlRowsWithProblems(const std::vector<TvlEnvelopeProblem>& problems);

}  // namespace vl
