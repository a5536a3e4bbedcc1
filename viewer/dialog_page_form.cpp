#include "viewer/dialog_page_form.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

#include "engine/formation/dialog_page_host.h"
#include "engine/model/control.h"
#include "engine/model/page.h"
#include "engine/model/view_render.h"
#include "viewer/dialog_control_widgets.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

constexpr std::uint8_t kSizeable = 2;       // border style bsSizeable
constexpr std::uint8_t kScreenCenter = 4;   // position poScreenCenter

}  // namespace

TvlDialogPageForm::TvlDialogPageForm(TvlPage& page, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), page_(page) {
  setWindowModality(Qt::ApplicationModal);
  for (const auto& view : page.Objects) {
    auto* control = dynamic_cast<TvlControl*>(view.get());
    if (!control) continue;
    auto placed = std::make_unique<TvlWidgetControl>(*control, *this);
    control->Place(placed.get());
    controls_.emplace_back(control, std::move(placed));
  }
  ApplyPage();
}

TvlDialogPageForm::~TvlDialogPageForm() {
  for (auto& [control, placed] : controls_)
    if (control->PlatformControl() == placed.get()) control->Place(nullptr);
}

void TvlDialogPageForm::ApplyPage() {
  setWindowTitle(vlToQt(page_.Caption));
  QPalette palette = this->palette();
  palette.setColor(QPalette::Window, vlQtColor(page_.Color));
  setPalette(palette);
  setAutoFillBackground(true);
  // The page's size is the window's inside, where the controls are placed.
  const QSize size(std::max(1, page_.Width), std::max(1, page_.Height));
  if (page_.BorderStyle == kSizeable) {
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    resize(size);
  } else {
    setFixedSize(size);
  }
  QPoint at(page_.Left, page_.Top);
  if (page_.Position == kScreenCenter)
    if (QScreen* screen = QGuiApplication::primaryScreen())
      at = screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2);
  move(at);
}

std::int32_t TvlDialogPageForm::ShowModal() {
  ApplyPage();
  return static_cast<std::int32_t>(exec());
}

QWidget* TvlDialogPageForm::ControlWidget(const TvlControl& control) const {
  for (const auto& [c, placed] : controls_)
    if (c == &control) return placed->Widget();
  return nullptr;
}

void TvlDialogPageForm::accept() { done(mrOk); }
void TvlDialogPageForm::reject() { done(mrCancel); }

void TvlDialogPageForm::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (enter && event->modifiers() == Qt::NoModifier) {
    bool hasDefault = false;
    for (QPushButton* b : findChildren<QPushButton*>())
      if (b->isDefault() && b->isVisible()) hasDefault = true;
    if (!hasDefault) {
      accept();
      return;
    }
  }
  QDialog::keyPressEvent(event);
}

void TvlDialogPageForm::paintEvent(QPaintEvent* event) {
  QDialog::paintEvent(event);
  // The page's views that are not controls (texts, pictures, lines) are
  // drawn where they stand, beneath the controls' widgets.
  std::vector<TvlView*> views;
  for (const auto& view : page_.Objects)
    if (!dynamic_cast<TvlControl*>(view.get())) views.push_back(view.get());
  if (views.empty()) return;
  QPainter painter(this);
  TvlQtCanvas canvas(painter, TvlSize{width(), height()}, logicalDpiX(), logicalDpiY());
  vlDrawViews(canvas, views, 1.0, 1.0);
}

}  // namespace vl
