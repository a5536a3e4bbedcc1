#include "platform/qt/progress_form.h"

#include <QCoreApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

#include "platform/qt/qt_text.h"
#include "platform/qt/qt_language.h"

namespace vl {
namespace {

// The private event that starts the work inside the modal loop.
const QEvent::Type kStartWork = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

TvlProgressForm::TvlProgressForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint) {
  setFixedSize(278, 106);
  label1_ = new QLabel(this);
  label1_->setGeometry(4, 14, 270, 17);
  label1_->setAlignment(Qt::AlignCenter);
  label2_ = new QLabel(this);
  label2_->setGeometry(4, 36, 270, 17);
  label2_->setAlignment(Qt::AlignCenter);
  cancel_ = new QPushButton(vlQTr("Cancel"), this);
  cancel_->setGeometry(101, 68, 75, 25);
  connect(cancel_, &QPushButton::clicked, this, [this] { Cancel(); });
  setWindowModality(Qt::ApplicationModal);
}

TvlProgressForm::~TvlProgressForm() = default;

bool TvlProgressForm::Run(const std::string& caption, const std::string& firstLabel,
                          const std::function<void()>& work, const std::function<void()>& onCancel) {
  if (loop_) {
    work();
    return true;
  }
  setWindowTitle(vlToQt(caption));
  label1_->setText(vlToQt(firstLabel));
  label2_->clear();
  work_ = work;
  onCancel_ = onCancel;
  ok_ = true;
  if (QScreen* screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
  QEventLoop loop;
  loop_ = &loop;
  show();
  QCoreApplication::postEvent(this, new QEvent(kStartWork));
  loop.exec();
  loop_ = nullptr;
  hide();
  work_ = nullptr;
  onCancel_ = nullptr;
  return ok_;
}

bool TvlProgressForm::event(QEvent* e) {
  if (e->type() != kStartWork) return QDialog::event(e);
  if (work_) {
    const std::function<void()> work = work_;
    work();
  }
  // A work that did not close the window ends the run all the same.
  if (loop_) loop_->quit();
  return true;
}

void TvlProgressForm::SetCancelCaption(const std::string& text) { cancel_->setText(vlToQt(text)); }
void TvlProgressForm::SetFirstLabel(const std::string& text) { label1_->setText(vlToQt(text)); }
void TvlProgressForm::SetSecondLabel(const std::string& text) { label2_->setText(vlToQt(text)); }

void TvlProgressForm::Close(bool ok) {
  ok_ = ok;
  if (loop_) loop_->quit();
}

void TvlProgressForm::Cancel() {
  if (!loop_) return;
  if (onCancel_) onCancel_();
  Close(false);
}

void TvlProgressForm::reject() { Cancel(); }

void TvlProgressForm::ProcessEvents() { QCoreApplication::processEvents(); }

bool TvlProgressForm::IsShown() const { return isVisible(); }

void TvlProgressForm::SetShown(bool shown) { setVisible(shown); }

}  // namespace vl
