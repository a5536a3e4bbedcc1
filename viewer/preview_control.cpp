#include "viewer/preview_control.h"

#include <QEvent>
#include <QWheelEvent>

#include "viewer/preview_form.h"

namespace vl {

TvlPreview::TvlPreview(QWidget* parent) : QWidget(parent), form_(std::make_unique<TvlPreviewForm>()) {
  setObjectName(QStringLiteral("TvlPreview"));
  form_->ToolbarInWindow = false;
  form_->WheelFactor = 3;
  form_->OnPageChanged = [this] {
    if (OnPageChanged) OnPageChanged(this, form_->CurrentPage());
  };
}

TvlPreview::~TvlPreview() {
  if (wheelWindow_) wheelWindow_->removeEventFilter(this);
  // The borrowed panels go back to their window, which destroys them.
  form_->PreviewPanel()->setParent(form_.get());
  form_->ToolbarPanel()->setParent(form_.get());
}

TvlEMFPages& TvlPreview::Pages() { return form_->Pages(); }

void TvlPreview::SetScrollBars(TvlScrollStyle value) {
  scrollBars_ = value;
  form_->RightPanel()->setVisible(value == ssVertical || value == ssBoth);
  form_->BottomBar()->setVisible(value == ssHorizontal || value == ssBoth);
  Arrange();
}

void TvlPreview::SetShowToolbar(bool value) {
  showToolbar_ = value;
  Arrange();
}

void TvlPreview::SetPopupMenu(QMenu* menu) {
  popup_ = menu;
  form_->PopupMenu = menu;
}

void TvlPreview::Connect(TvlReport& report) {
  form_->PreviewPanel()->setParent(this);
  form_->PreviewPanel()->show();
  if (showToolbar_) {
    form_->ToolbarPanel()->setParent(this);
    form_->ToolbarPanel()->show();
  }
  form_->Connect(report);
  form_->SetUp();
  form_->PopupMenu = popup_;
  SetScrollBars(scrollBars_);
  // The window the control sits in scrolls the preview with its wheel.
  if (QWidget* w = window(); w != this && w != wheelWindow_) {
    if (wheelWindow_) wheelWindow_->removeEventFilter(this);
    wheelWindow_ = w;
    wheelWindow_->installEventFilter(this);
  }
  Arrange();
  form_->ResetView(true);
}

void TvlPreview::Arrange() {
  const bool toolbar = showToolbar_ && form_->ToolbarPanel()->parentWidget() == this;
  const int top = toolbar ? form_->ToolbarPanel()->height() : 0;
  if (toolbar) form_->ToolbarPanel()->setGeometry(0, 0, width(), top);
  if (form_->PreviewPanel()->parentWidget() == this) form_->PreviewPanel()->setGeometry(0, top, width(), height() - top);
}

void TvlPreview::resizeEvent(QResizeEvent*) { Arrange(); }

bool TvlPreview::eventFilter(QObject* watched, QEvent* event) {
  if (watched == wheelWindow_ && event->type() == QEvent::Wheel) {
    const int steps = static_cast<QWheelEvent*>(event)->angleDelta().y() / 120;
    if (steps != 0) form_->ScrollBy(0, -steps * 10 * form_->WheelFactor);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vl
