#pragma once
// Reading an address list without freezing the launcher: the source is
// opened on a worker thread while the window goes on painting, and after a
// moment a progress window with Cancel comes up. A cancelled read finishes
// on its own in the background and its result is dropped.

#include <QString>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

class QWidget;

namespace vl {

class TvlDataSource;

class TListReader {
 public:
  explicit TListReader(QWidget* owner) : owner_(owner) {}
  // Waits for reads the user cancelled, so that none outlives the launcher.
  ~TListReader();
  TListReader(const TListReader&) = delete;
  TListReader& operator=(const TListReader&) = delete;

  // Opens source (named name in the progress window). Returns the source,
  // open, or null when the user cancelled; an error of the read is raised
  // here as it was raised there.
  std::unique_ptr<TvlDataSource> Open(std::unique_ptr<TvlDataSource> source, const QString& name);

  // How long a read runs before the progress window shows (milliseconds).
  int ShowAfter = 300;
  // Called on the launcher's thread while a read runs, about every 20 ms
  // (tests look at the window there, or cancel).
  std::function<void()> OnWaiting;
  // Set (from OnWaiting) to cancel the read as the Cancel button does.
  bool CancelRequested = false;

 private:
  QWidget* owner_;
  std::vector<std::thread> cancelled_;
};

}  // namespace vl
