#pragma once
// The dictionary editor's two alias tabs. "Field aliases": the datasets the
// application offers, those with an entry in the tree (expanding to their
// fields, each with its alias or shown as excluded), the others in a list;
// "Band datasources": the same for the band data sources, without fields.
// Both act on the editor's working copy of their list only.

#include <QWidget>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace vl {

class TvlChooserList;
class TvlDataDictionary;
class TvlVariables;

// The kinds of the editor's tree nodes (stored with each node).
enum TvlDictNodeKind : int {
  nkPlaceholder,
  nkCategory,
  nkVariable,
  nkRoot,
  nkDataset,
  nkField,
  nkExcludedField,
  nkBandSource,
};
TvlDictNodeKind vlDictNodeKind(const QTreeWidgetItem* node);
void vlSetDictNodeKind(QTreeWidgetItem* node, TvlDictNodeKind kind);

// Node texts of named things with an alias: "name {alias}". The name part
// is the text before the first "{", trimmed; the alias part lies between
// the first "{" and the first "}".
std::string vlNodeNamePart(const std::string& text);
std::string vlNodeAliasPart(const std::string& text);
bool vlNodeHasAlias(const std::string& text);

class TvlAliasTab : public QWidget {
 public:
  enum Kind { FieldAliases, BandSources };
  // dictionary: whose resolver lists the datasets; list: the working copy.
  TvlAliasTab(Kind kind, TvlDataDictionary& dictionary, TvlVariables& list, QWidget* parent = nullptr);

  QTreeWidget* Tree;        // FieldAliasesTree / BandDSTree
  TvlChooserList* AllLB;    // AllTablesLB / AllBandsLB
  QLineEdit* AliasEdit;     // Edit1 / Edit2
  QCheckBox* ExcludeCB;     // CB1; none on the band tab
  QPushButton* AddBtn;      // ">"
  QPushButton* RemoveBtn;   // "<"
  QPushButton* AddAllBtn;   // ">>"
  QPushButton* RemoveAllBtn;  // "<<"

  void Fill();
  QTreeWidgetItem* Root() const;
  // The node of a dataset (band data source) by its name part; nullptr when none.
  QTreeWidgetItem* FindNode(const std::string& name) const;
  // Replaces a dataset's placeholder by its fields.
  void ExpandDataset(QTreeWidgetItem* node);
  void NodeSelected(QTreeWidgetItem* node);
  // Stores a changed alias for the node it was typed for.
  void CommitAlias();
  void ExcludeClicked();
  void Add();
  void Remove();
  void AddAll();
  void RemoveAll();
  // A drag from one side dropped on the other: list names onto the tree
  // add them, a tree node onto the list removes it. False (nothing done)
  // for any other pair.
  bool DropFrom(const QObject* source, const QObject* target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QTreeWidgetItem* AddSourceNode(const std::string& name, const std::string& alias);
  void AddToList(const std::string& name);
  std::string FieldKey(const QTreeWidgetItem* fieldNode) const;

  Kind kind_;
  TvlDataDictionary& dictionary_;
  TvlVariables& list_;
  QTreeWidgetItem* aliasNode_ = nullptr;  // the node AliasEdit shows
};

}  // namespace vl
