#pragma once
// The application's help: a user guide in HTML shown in a help browser
// window. Help contexts (the numbers windows give their controls) are the
// guide's anchors "context-N"; context 0 is the contents.

#include <QWidget>
#include <string>

class QTextBrowser;

namespace vl {

// The help file in force (a name looked up in the folder "help" beside the
// current folder and the program, or a path). Windows set their own while
// they are active and restore the previous one afterwards.
std::string& vlApplicationHelpFile();
// Where the help file is found; empty when nowhere.
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

// Shows the application help file at a context in the one help window
// (made on first use); a missing file is reported in a message box.
void vlShowHelp(int context = 0);
// The help window, when one was opened.
TvlHelpWindow* vlHelpWindow();

}  // namespace vl
