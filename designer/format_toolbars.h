#pragma once
// The "Text" and "Rectangle" toolbars of a designer window: font name and
// size, bold/italic/underline, text alignment, font colour and highlight;
// frame lines, frame and fill colours, frame width and line style. Every
// control carries the tag of its command (format_commands.h); a command
// changes every qualifying selected object in one undo step, and the
// controls follow the selection.

#include <QObject>
#include <map>
#include <string>

#include "designer/format_commands.h"

namespace vl {

class TColorSelector;
class TvlComboBox;
class TvlDesignerForm;
class TvlFontComboBox;
class TvlSpeedButton;

class TvlFormatToolbars : public QObject {
 public:
  // Fills the window's "Text" and "Rectangle" toolbars and follows its
  // selection and keys.
  explicit TvlFormatToolbars(TvlDesignerForm& form);
  // The toolbars of a window, none when they were not installed.
  static TvlFormatToolbars* Of(const TvlDesignerForm& form);

  // Controls by name: "FrB1" ... "FrB6", "ClB1" ... "ClB3", "FnB1" ...
  // "FnB3", "AlB1" ... "AlB8", "StB1", "HlB1", and the line-style panel's
  // "StyleB0" ... "StyleB5".
  TvlSpeedButton* Button(const std::string& name) const;
  TvlFontComboBox* FontName = nullptr;  // C2
  TvlComboBox* FontSize = nullptr;      // C3
  TvlComboBox* FrameWidth = nullptr;    // C4
  TColorSelector* Picker = nullptr;     // the colour picker under a colour button
  QWidget* LineStyles = nullptr;        // the line-style panel under StB1

  // The colour a colour button shows (tag 5, 17 or 19).
  TvlColor ButtonColor(int tag) const;
  void SetButtonColor(int tag, TvlColor color);

  // The common handler of every control: ignored while the controls follow
  // the selection; a box that does not hold a number reports it and changes
  // nothing.
  void ApplyToolbarCommand(int tag);
  // The controls show the selection (one object: its attributes; several:
  // neutral settings) and the toolbars are enabled for it.
  void SyncToolbars();
  // A colour button's click: the picker opens under it, or closes when it
  // is open there already. StB1 likewise toggles the line-style panel.
  void ColorButtonClick(int tag);
  void LineStyleButtonClick();
  // Ctrl+1...9, Ctrl+F, Ctrl+D, Ctrl+B/I/U.
  bool HandleKey(int key, Qt::KeyboardModifiers modifiers);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildText();
  void BuildRectangle();
  void BuildLineStyles();
  TvlSpeedButton* AddButton(const char* toolbar, const char* name, int tag, int hint, int glyph, int group = 0);
  // Reads the controls; false (after telling the user) when a box does not
  // hold a number the command needs.
  bool ReadControls(int tag, TvlFormatControls& controls) const;
  void EnableToolbars();
  void LeaveToolbars();

  TvlDesignerForm& form_;
  std::map<std::string, TvlSpeedButton*> buttons_;
  std::map<int, TvlColor> colors_;
  const QObject* nameEdit_ = nullptr;  // the line edits of C2, C3 and C4
  const QObject* sizeEdit_ = nullptr;
  const QObject* widthEdit_ = nullptr;
  const QObject* sizeBox_ = nullptr;
  const QObject* widthBox_ = nullptr;
  int pickerTag_ = 0;
  bool applying_ = false;
};

}  // namespace vl
