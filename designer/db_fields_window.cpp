#include "designer/db_fields_window.h"

#include <QApplication>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QSizeGrip>

#include "controls/owned_window.h"
#include "controls/placement.h"
#include "controls/tool_caption.h"
#include "designer/chooser_list.h"
#include "designer/field_resolver_guard.h"
#include "designer/designer_text.h"
#include "designer/field_chooser.h"
#include "engine/model/report.h"
#include "platform/platform.h"
#include "platform/settings_store.h"

namespace vl {
namespace {

constexpr char kClassName[] = "TvlInsFieldsForm";
QPointer<TvlInsFieldsForm> gInstance;

std::string SectionKey() { return vlPlacementRoot() + "\\Form\\" + kClassName; }

// The fields list hands its drags the field reference.
class TvlFieldDragList : public TvlChooserList {
 public:
  TvlFieldDragList(TvlInsFieldsForm* form, QWidget* parent) : TvlChooserList(TvlDictIcon::Item, parent), form_(form) {
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
  }
  QStringList mimeTypes() const override { return {QString(kFieldMimeType), QStringLiteral("text/plain")}; }

 protected:
  QMimeData* mimeData(const QList<QListWidgetItem*>& items) const override {
    if (items.isEmpty()) return nullptr;
    return form_->FieldMimeData();
  }

 private:
  TvlInsFieldsForm* form_;
};

}  // namespace

TvlInsFieldsForm* TvlInsFieldsForm::Instance() { return gInstance.data(); }

std::string& TvlInsFieldsForm::RememberedDataset() {
  static std::string remembered;
  return remembered;
}

TvlInsFieldsForm* TvlInsFieldsForm::Open(QWidget* owner, TvlReport& report) {
  TvlInsFieldsForm* form = gInstance.data();
  if (form) {
    form->Expand();
  } else {
    form = new TvlInsFieldsForm(owner, report);
  }
  vlShowAboveOwner(*form);
  form->activateWindow();
  form->FieldsLB->setFocus();
  return form;
}

TvlInsFieldsForm::TvlInsFieldsForm(QWidget* owner, TvlReport& report)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), report_(report),
      fields_(std::make_unique<TvlDesignFields>(report)) {
  gInstance = this;
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(vlStr(53450));
  setMinimumWidth(80);
  DatasetsLB = new TvlChooserList(TvlDictIcon::Group, this);
  DatasetsLB->setObjectName("DatasetsLB");
  FieldsLB = new TvlFieldDragList(this, this);
  FieldsLB->setObjectName("FieldsLB");
  Splitter = new QWidget(this);
  Splitter->setObjectName("Splitter");
  Splitter->setCursor(Qt::SizeVerCursor);
  Splitter->installEventFilter(this);
  auto* grip = new QSizeGrip(this);
  grip->setObjectName("Grip");
  grip->resize(12, 12);
  connect(DatasetsLB, &QListWidget::itemSelectionChanged, this, [this] { DatasetChosen(); });

  resize(180, 300);
  // Never placed before: over the middle of the designer, clear of its menus
  // and toolbars.
  if (!RestoreFormPlacement(*this, kClassName) && owner)
    move(owner->window()->geometry().center() - QPoint(width() / 2, height() / 2));
  datasetsHeight_ = vlPlatform().Settings ? vlPlatform().Settings->ReadInteger(SectionKey(), "SplitterPos", 120) : 120;
  ExpandedHeight = height() < 30 ? 300 : height();
  SetListsShown(ClientHeight() >= 20);
  LayoutLists();
}

TvlInsFieldsForm::~TvlInsFieldsForm() {
  if (gInstance == this) gInstance = nullptr;
}

QRect TvlInsFieldsForm::CaptionRect() const { return vlToolCaptionRect(*this); }

QRect TvlInsFieldsForm::CloseButtonRect() const { return vlToolCloseBoxRect(*this); }

int TvlInsFieldsForm::ClientHeight() const { return std::max(0, height() - 2 * kBorder - kCaptionHeight); }

bool TvlInsFieldsForm::Collapsed() const { return height() <= 30; }

void TvlInsFieldsForm::SetListsShown(bool shown) {
  DatasetsLB->setVisible(shown);
  Splitter->setVisible(shown);
  FieldsLB->setVisible(shown);
  if (auto* grip = findChild<QSizeGrip*>("Grip")) grip->setVisible(shown);
}

void TvlInsFieldsForm::LayoutLists() {
  const int top = kBorder + kCaptionHeight;
  const int w = width() - 2 * kBorder;
  const int client = ClientHeight();
  const int datasets = std::clamp(datasetsHeight_, 0, std::max(0, client - kSplitterHeight));
  DatasetsLB->setGeometry(kBorder, top, w, datasets);
  Splitter->setGeometry(kBorder, top + datasets, w, kSplitterHeight);
  const int fieldsTop = top + datasets + kSplitterHeight;
  FieldsLB->setGeometry(kBorder, fieldsTop, w, std::max(0, height() - kBorder - fieldsTop));
  if (auto* grip = findChild<QSizeGrip*>("Grip")) grip->move(width() - grip->width(), height() - grip->height());
}

void TvlInsFieldsForm::Refresh() {
  if (DatasetsLB->count() > 0) RememberedDataset() = DatasetsLB->CurrentText();
  TvlDesignFields fields(report_);
  DatasetsLB->blockSignals(true);
  DatasetsLB->SetItems(report_.Dictionary.GetDataSetList());
  if (DatasetsLB->count() > 0 && !DatasetsLB->SelectText(RememberedDataset())) DatasetsLB->SelectRow(0);
  DatasetsLB->blockSignals(false);
  DatasetChosen();
}

void TvlInsFieldsForm::DatasetChosen() {
  TvlDesignFields fields(report_);
  const std::string dataSet = DatasetsLB->CurrentText();
  FieldsLB->SetItems(dataSet.empty() ? std::vector<std::string>{} : report_.Dictionary.GetFieldList(dataSet));
}

void TvlInsFieldsForm::Expand() {
  resize(width(), ExpandedHeight);
  SetListsShown(true);
  LayoutLists();
  if (OnCollapse) OnCollapse();
}

void TvlInsFieldsForm::ToggleCollapsed() {
  if (Collapsed()) {
    resize(width(), ExpandedHeight);
    SetListsShown(true);
  } else {
    ExpandedHeight = height();
    SetListsShown(false);
    resize(width(), 2 * kBorder + kCaptionHeight);
  }
  LayoutLists();
  if (OnCollapse) OnCollapse();
}

std::string TvlInsFieldsForm::ComputeReference() {
  if (DatasetsLB->count() > 0) RememberedDataset() = DatasetsLB->CurrentText();
  const std::string field = FieldsLB->CurrentText();
  if (!field.empty()) FieldReference = vlFieldReference(RememberedDataset(), field);
  return FieldReference;
}

QMimeData* TvlInsFieldsForm::FieldMimeData() {
  const std::string reference = ComputeReference();
  auto* mime = new QMimeData;
  mime->setData(kFieldMimeType, QByteArray::fromStdString(reference));
  mime->setText(vlToQt("[" + reference + "]"));
  return mime;
}

bool vlDraggedFieldReference(const QMimeData* data, std::string& reference) {
  if (!data || !data->hasFormat(kFieldMimeType)) return false;
  reference = data->data(kFieldMimeType).toStdString();
  return !reference.empty();
}

void TvlInsFieldsForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  p.fillRect(rect(), pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Dark));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
  vlPaintToolCaption(p, *this);
}

void TvlInsFieldsForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (CloseButtonRect().contains(event->position().toPoint())) {
    close();
    return;
  }
  if (CaptionRect().contains(event->position().toPoint())) {
    movingWindow_ = true;
    dragStart_ = event->globalPosition().toPoint() - pos();
  }
}

void TvlInsFieldsForm::mouseMoveEvent(QMouseEvent* event) {
  if (movingWindow_) move(event->globalPosition().toPoint() - dragStart_);
}

void TvlInsFieldsForm::mouseReleaseEvent(QMouseEvent*) { movingWindow_ = false; }

void TvlInsFieldsForm::mouseDoubleClickEvent(QMouseEvent* event) {
  if (CaptionRect().contains(event->position().toPoint()) && !CloseButtonRect().contains(event->position().toPoint()))
    ToggleCollapsed();
}

void TvlInsFieldsForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutLists();
}

void TvlInsFieldsForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  Refresh();
}

void TvlInsFieldsForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  SaveFormPlacement(*this, kClassName);
  if (vlPlatform().Settings)
    vlPlatform().Settings->WriteString(SectionKey(), "SplitterPos", std::to_string(DatasetsLB->height()));
  ComputeReference();
  if (QWidget* owner = parentWidget(); owner && owner->isVisible()) owner->activateWindow();
  // Hidden, the window is gone: the next opening makes a new one.
  if (gInstance == this) gInstance = nullptr;
  deleteLater();
}

bool TvlInsFieldsForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Splitter) {
    // The splitter changes the dataset list's height by the pointer's movement.
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
      return QWidget::eventFilter(watched, event);
    auto* mouse = static_cast<QMouseEvent*>(event);
    if (event->type() == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
      splitterGrab_ = mouse->globalPosition().toPoint().y();
      return true;
    }
    if (event->type() == QEvent::MouseMove && splitterGrab_ >= 0) {
      const int y = mouse->globalPosition().toPoint().y();
      datasetsHeight_ = std::clamp(DatasetsLB->height() + (y - splitterGrab_), 0,
                                   std::max(0, ClientHeight() - kSplitterHeight));
      splitterGrab_ = y;
      LayoutLists();
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
      splitterGrab_ = -1;
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vl
