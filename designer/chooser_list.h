#pragma once
// The lists of the expression and dictionary dialogs: rows 16 pixels high,
// each drawn with a 16 x 16 icon two pixels from the left edge and its text
// at left + 20, top + 1. A list shows one icon for all its rows: a group icon
// (categories, datasets) or an item icon (variables, fields, functions).
// Texts are engine texts (system code page).

#include <QListWidget>
#include <string>
#include <vector>

#include "designer/dict_glyphs.h"

namespace vl {

class TvlChooserList : public QListWidget {
 public:
  TvlChooserList(TvlDictIcon icon, QWidget* parent = nullptr);

  static constexpr int kRowHeight = 16;

  TvlDictIcon Icon() const { return icon_; }
  // Rows without an icon (the "[None]" row of the dictionary's value list)
  // are marked by the caller with NoIconRole set on the item.
  static constexpr int NoIconRole = Qt::UserRole + 40;

  void SetItems(const std::vector<std::string>& texts);
  std::vector<std::string> Items() const;
  // The current row's text; empty when no row is current.
  std::string CurrentText() const;
  // Makes the row of exactly that text current; false (nothing changed) when
  // no row holds it.
  bool SelectText(const std::string& text);
  // Makes row current (and the only selected one); -1 clears the selection.
  void SelectRow(int row);

 private:
  TvlDictIcon icon_;
};

}  // namespace vl
