#include "app/batch_check_dialog.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "platform/qt/qt_text.h"
#include "platform/qt/qt_language.h"

namespace vl {

std::vector<int> vlRowsWithProblems(const std::vector<TvlEnvelopeProblem>& problems) {
  std::vector<int> rows;
  for (const TvlEnvelopeProblem& p : problems) rows.push_back(p.Row);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

TBatchCheckDialog::TBatchCheckDialog(const std::vector<TvlEnvelopeProblem>& problems, int envelopes,
                                     QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("BatchCheckDialog"));
  setWindowTitle(vlQTr("Check before printing"));
  auto* layout = new QVBoxLayout(this);
  const int bad = static_cast<int>(vlRowsWithProblems(problems).size());
  auto* intro = new QLabel(vlQTr("%1 of %2 envelopes would not print right:")
                               .arg(bad)
                               .arg(envelopes),
                           this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  Problems = new QTableWidget(static_cast<int>(problems.size()), 3, this);
  Problems->setObjectName(QStringLiteral("Problems"));
  Problems->setHorizontalHeaderLabels({vlQTr("Row"), vlQTr("Name"), vlQTr("Problem")});
  Problems->verticalHeader()->hide();
  Problems->setEditTriggers(QAbstractItemView::NoEditTriggers);
  Problems->setSelectionBehavior(QAbstractItemView::SelectRows);
  Problems->horizontalHeader()->setStretchLastSection(true);
  for (int i = 0; i < static_cast<int>(problems.size()); ++i) {
    const TvlEnvelopeProblem& p = problems[static_cast<std::size_t>(i)];
    Problems->setItem(i, 0, new QTableWidgetItem(QString::number(p.Row)));
    Problems->setItem(i, 1, new QTableWidgetItem(vlToQt(p.Name)));
    Problems->setItem(i, 2, new QTableWidgetItem(vlToQt(p.Problem)));
  }
  Problems->resizeColumnsToContents();
  Problems->setMinimumWidth(560);
  layout->addWidget(Problems);

  auto* buttons = new QDialogButtonBox(this);
  PrintAll = buttons->addButton(vlQTr("Print all"), QDialogButtonBox::AcceptRole);
  PrintGood = buttons->addButton(vlQTr("Print only the good ones"), QDialogButtonBox::AcceptRole);
  Cancel = buttons->addButton(vlQTr("Cancel"), QDialogButtonBox::RejectRole);
  PrintGood->setEnabled(bad < envelopes);
  PrintGood->setDefault(PrintGood->isEnabled());
  connect(PrintAll, &QPushButton::clicked, this, [this] { choice_ = TBatchChoice::PrintAll, accept(); });
  connect(PrintGood, &QPushButton::clicked, this, [this] { choice_ = TBatchChoice::PrintGood, accept(); });
  connect(Cancel, &QPushButton::clicked, this, [this] { choice_ = TBatchChoice::Cancel, reject(); });
  layout->addWidget(buttons);
}

}  // namespace vl
