#include "designer/page_form.h"

#include <QCloseEvent>

#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "engine/model/page.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {

TvlPageForm::TvlPageForm(TvlDesignerForm& designer)
    : QWidget(&designer, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint), designer_(designer) {
  setObjectName(QStringLiteral("PageForm"));
}

void TvlPageForm::TakePage(TvlPage& page) {
  taking_ = true;
  page_ = &page;
  setWindowTitle(vlToQt(page.Caption));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, vlQtColor(page.Color));
  setPalette(pal);
  setGeometry(page.Left, page.Top, page.Width, page.Height);
  if (TvlDesignerPage* surface = designer_.Surface()) surface->setGeometry(rect());
  taking_ = false;
}

void TvlPageForm::WriteBack() {
  if (taking_ || !page_ || !isVisible()) return;
  const QRect g = geometry();
  if (g == QRect(page_->Left, page_->Top, page_->Width, page_->Height)) return;
  page_->Left = g.left();
  page_->Top = g.top();
  page_->Width = g.width();
  page_->Height = g.height();
  designer_.SetModified(true);
}

void TvlPageForm::moveEvent(QMoveEvent*) { WriteBack(); }

void TvlPageForm::resizeEvent(QResizeEvent*) {
  if (TvlDesignerPage* surface = designer_.Surface(); surface && surface->parentWidget() == this)
    surface->setGeometry(rect());
  WriteBack();
}

void TvlPageForm::closeEvent(QCloseEvent* event) { event->ignore(); }

}  // namespace vl
