#pragma once
// The designer template dialogs: the new-report dialog lists the designer
// templates (.vlt) of the template folder with their description and
// picture; the new-template dialog takes the description and the icon of a
// template about to be saved.

#include <QDialog>
#include <string>

#include "designer/designer_template_file.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;

namespace vl {

// The designer-wide template folder: New from template copies the designer
// component's TemplateDir into it when there is a component; it keeps its
// value otherwise.
std::string& vlTemplateFolder();

class TvlTemplForm : public QDialog {
 public:
  // folder empty: the program's own folder.
  explicit TvlTemplForm(const std::string& folder, QWidget* parent = nullptr);

  // The chosen template's full path (after OK).
  std::string Result() const;
  QListWidget* List() const { return list_; }
  QLabel* Comment() const { return comment_; }
  QPushButton* OkButton() const { return ok_; }

 private:
  void ShowItem();

  std::string folder_;
  QListWidget* list_;
  QLabel* picture_;
  QLabel* comment_;
  QPushButton* ok_;
};

class TvlTemplNewForm : public QDialog {
 public:
  explicit TvlTemplNewForm(QWidget* parent = nullptr);

  // Loads the icon from a bitmap file; false (with the error shown) when it
  // cannot be read, the previous icon staying.
  bool LoadIcon(const std::string& path);
  // The description lines and the icon's bitmap file bytes.
  TvlDesignerTemplateInfo Info() const;
  QPlainTextEdit* CommentEdit() const { return comment_; }

 private:
  QPlainTextEdit* comment_;
  QLabel* picture_;
  std::string bitmap_;
};

// A bitmap file's image through the program's own decoder; null when the
// bytes are no bitmap.
QImage vlBitmapImage(const std::string& bytes);

}  // namespace vl
