#include "app/flagged_envelopes.h"

#include <QListWidget>
#include <QVBoxLayout>

#include "viewer/preview_form.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_language.h"

namespace vl {

QListWidget* vlShowFlaggedEnvelopes(TvlPreviewForm& preview, const std::vector<TvlEnvelopeProblem>& problems,
                                    int pagesPerRow) {
  auto* window = new QWidget(&preview, Qt::Tool);
  window->setObjectName(QStringLiteral("FlaggedEnvelopes"));
  window->setWindowTitle(vlQTr("Envelopes with problems"));
  auto* layout = new QVBoxLayout(window);
  auto* list = new QListWidget(window);
  list->setObjectName(QStringLiteral("FlaggedList"));
  for (const TvlEnvelopeProblem& p : problems) {
    auto* item = new QListWidgetItem(vlToQt(vlEnvelopeProblemLine(p)), list);
    item->setData(Qt::UserRole, (p.Row - 1) * pagesPerRow + 1);
  }
  QObject::connect(list, &QListWidget::currentItemChanged, &preview, [&preview](QListWidgetItem* item) {
    if (item) preview.GoToPage(item->data(Qt::UserRole).toInt());
  });
  layout->addWidget(list);
  window->resize(380, 200);
  window->move(preview.geometry().topRight() + QPoint(8, 0));
  window->show();
  return list;
}

}  // namespace vl
