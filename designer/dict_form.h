#pragma once
// The data dictionary editor: variables with their categories and values,
// field aliases and band data source aliases. It works on copies of the
// dictionary's three lists made when it is shown; OK puts them back (and
// forgets the dictionary's field bindings, which may name old aliases),
// Cancel drops them.

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "engine/core/variables.h"

class QCheckBox;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace vl {

class TvlAliasTab;
class TvlChooserList;
class TvlComboBox;
class TvlComboEdit;
class TvlDesignFields;
class TvlReport;
class TvlSpeedButton;

class TvlDictForm : public QDialog {
 public:
  explicit TvlDictForm(TvlReport& report, QWidget* parent = nullptr);
  ~TvlDictForm() override;

  // The working copies.
  TvlVariables Variables, FieldAliases, BandDataSources;

  QTabWidget* Tabs;
  // Variables tab.
  QTreeWidget* VarTree;
  TvlSpeedButton* NewCategoryBtn;
  TvlSpeedButton* NewVarBtn;
  TvlSpeedButton* EditBtn;
  TvlSpeedButton* DelBtn;
  TvlSpeedButton* EditListBtn;
  TvlComboBox* ValCombo;
  TvlChooserList* ValList;
  QCheckBox* ExprCB;
  TvlComboEdit* ExprEdit;
  // The alias tabs.
  TvlAliasTab* FieldAliasesTab;
  TvlAliasTab* BandDSTab;
  // "Data sources…", present when the hook below is set.
  QPushButton* DataSourcesBtn = nullptr;
  // Edits the report's own data sources; true when they changed (the
  // editor then lists the datasets afresh). Installed by the designer.
  static std::function<bool(QWidget* owner)>& DataSourcesHook();

  // The tree's commands (buttons and keys).
  void NewCategory();
  void NewVariable();
  void EditNode();
  void DeleteNode();
  void EditList();
  // Builds the tree from the working variables; the first node is selected.
  void BuildTree();
  // Only the placeholder "[None]" is in the tree.
  bool EmptyState() const { return empty_; }
  // A node's in-place edit ended with its current text.
  void NodeRenamed(QTreeWidgetItem* node);

  // Values: the source chosen in ValCombo, a ValList row chosen by the user,
  // ExprCB clicked by the user, the expression box left.
  void SourceChosen();
  void ValueRowChosen();
  void ExprClicked();
  void CommitExpression();

  void done(int result) override;

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* CreateVariablesTab();
  // The value sources: the dictionary's datasets, then the system variables.
  void FillSources();
  void SetEmptyState(bool empty);
  void StartEditing(QTreeWidgetItem* node);
  void NodeSelected(QTreeWidgetItem* current, QTreeWidgetItem* previous);
  void ShowValue(const std::string& value);
  void SelectValueRow(int row);
  void SetExprChecked(bool checked);
  // The working entry index of a category or variable node; -1 when none.
  int EntryIndex(const QTreeWidgetItem* node) const;
  QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, const std::string& text, int kind);
  int SystemSourceIndex() const;

  TvlReport& report_;
  std::unique_ptr<TvlDesignFields> fields_;
  bool empty_ = true;
  bool filling_ = false;    // programmatic changes: no user actions run
  bool deleting_ = false;
  bool editing_ = false;  // an in-place edit is open
  QTreeWidgetItem* exprNode_ = nullptr;  // the node the expression box edits
};

// Opens the editor on the report's dictionary; true after OK (the
// dictionary then holds the edited lists and the DB fields window, when
// open, lists them). The caller marks the report modified.
bool vlShowDictionaryEditor(QWidget* parent, TvlReport& report);

}  // namespace vl
