#include "app/list_reader.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <atomic>
#include <exception>

#include "engine/data/data_source.h"
#include "platform/qt/qt_language.h"

namespace vl {
namespace {

// What the worker hands back; shared, since a cancelled read outlives the call.
struct TRead {
  std::unique_ptr<TvlDataSource> Source;
  std::exception_ptr Error;
  std::atomic<bool> Done{false};
};

}  // namespace

TListReader::~TListReader() {
  for (std::thread& t : cancelled_)
    if (t.joinable()) t.join();
}

std::unique_ptr<TvlDataSource> TListReader::Open(std::unique_ptr<TvlDataSource> source, const QString& name) {
  auto read = std::make_shared<TRead>();
  read->Source = std::move(source);
  std::thread worker([read] {
    try {
      read->Source->Open();
    } catch (...) {
      read->Error = std::current_exception();
    }
    read->Done = true;
  });

  CancelRequested = false;
  std::unique_ptr<QProgressDialog> progress;
  QElapsedTimer clock;
  clock.start();
  while (!read->Done && !CancelRequested) {
    // The window keeps painting and answering while the list is read.
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
    if (!progress && clock.elapsed() >= ShowAfter) {
      progress = std::make_unique<QProgressDialog>(vlQTr("Reading the address list %1…").arg(name),
                                                   vlQTr("Cancel"), 0, 0, owner_);
      progress->setObjectName(QStringLiteral("ListReadingProgress"));
      progress->setWindowTitle(vlQTr("Address list"));
      progress->setWindowModality(Qt::WindowModal);
      progress->setMinimumDuration(0);
      progress->show();
    }
    if (OnWaiting) OnWaiting();
    if (progress && progress->wasCanceled()) CancelRequested = true;
  }
  if (progress) progress->close();
  if (!read->Done) {
    // The reader cannot be stopped halfway: it ends on its own, and what it read is dropped then.
    cancelled_.push_back(std::move(worker));
    return nullptr;
  }
  worker.join();
  if (CancelRequested) return nullptr;  // cancelled just as the read ended: still cancelled
  if (read->Error) std::rethrow_exception(read->Error);
  return std::move(read->Source);
}

}  // namespace vl
