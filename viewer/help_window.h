#pragma once
// The application's help: a user guide in HTML shown in a help browser
// window. Help contexts (the numbers windows give their controls) are the
// guide's anchors "context-N"; context 0 is the contents.

#include <QPointer>
#include <QWidget>
#include <string>

#include "platform/help_viewer.h"

class QTextBrowser;

namespace vl {

// Where a help file is found (a name looked up in the folder "help" beside
// the current folder and the program, or a path); empty when nowhere.
QString vlFindHelpFile(const std::string& name);

class TvlHelpWindow : public QWidget {
 public:
  explicit TvlHelpWindow(QWidget* parent = nullptr);
  // Shows the file at the topic of context (0: its start). False when the
  // file cannot be found.
  bool ShowTopic(const QString& path, int context);
  QTextBrowser* Browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

// The help viewer of the program: one help window, owned by the window the
// user worked in when help was asked for (the modal window when there is
// one), so it stays above that window, is usable while that window is
// modal, and closes when that window closes.
class TvlQtHelpViewer : public QObject, public TvlHelpViewer {
 public:
  void ShowHelp(const std::string& file, int context) override;
  // The help window, when one is open.
  TvlHelpWindow* Window() const { return window_.data(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void AttachTo(QWidget* owner);

  QPointer<TvlHelpWindow> window_;
  QPointer<QWidget> owner_;
};

// The program's help viewer (made on first use; vlInstallEngineWindows
// installs it) and its window, when one was opened.
TvlQtHelpViewer& vlQtHelpViewer();
TvlHelpWindow* vlHelpWindow();

}  // namespace vl
