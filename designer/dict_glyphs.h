#pragma once
// The 16 x 16 icons of the expression and dictionary dialogs, drawn once in
// code: list rows (a group icon for categories and datasets, an item icon
// for variables, fields and functions), the function tree's root and
// categories, and the dictionary editor's tree nodes.

#include <QIcon>
#include <QImage>

namespace vl {

enum class TvlDictIcon {
  Group,          // category and dataset rows, function categories
  Item,           // variable, field and function rows
  FunctionRoot,   // the function tree's "All functions"
  Category,       // dictionary tree nodes
  Variable,
  Dataset,
  Field,
  ExcludedField,
  BandSource,
  Root,           // the roots of the alias trees
  // The dictionary editor's buttons.
  NewCategory,
  NewVariable,
  EditNode,
  DeleteNode,
  EditList,
  // The button of the expression boxes.
  Ellipsis,
};

// Images, not pixmaps: they need no running application and may outlive it.
const QImage& vlDictIconImage(TvlDictIcon icon);
inline QIcon vlDictIconSet(TvlDictIcon icon) { return QIcon(QPixmap::fromImage(vlDictIconImage(icon))); }

}  // namespace vl
