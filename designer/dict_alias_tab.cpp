#include "designer/dict_alias_tab.h"

#include <QCheckBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <initializer_list>

#include "designer/chooser_list.h"
#include "designer/designer_text.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/core/variables.h"
#include "engine/model/data_dictionary.h"

namespace vl {
namespace {

constexpr int kKindRole = Qt::UserRole;

TvlDictIcon IconOf(TvlDictNodeKind kind) {
  switch (kind) {
    case nkCategory: return TvlDictIcon::Category;
    case nkVariable: return TvlDictIcon::Variable;
    case nkRoot: return TvlDictIcon::Root;
    case nkDataset: return TvlDictIcon::Dataset;
    case nkField: return TvlDictIcon::Field;
    case nkExcludedField: return TvlDictIcon::ExcludedField;
    case nkBandSource: return TvlDictIcon::BandSource;
    case nkPlaceholder: break;
  }
  return TvlDictIcon::Item;
}

std::string NodeText(const QTreeWidgetItem* node) { return vlFromQt(node->text(0)); }
void SetNodeText(QTreeWidgetItem* node, const std::string& text) { node->setText(0, vlToQt(text)); }

std::string WithAlias(const std::string& name, const std::string& alias) {
  return alias.empty() ? name : name + " {" + alias + "}";
}

void SortNames(std::vector<std::string>& names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return vlCompareText(a, b) < 0; });
}

}  // namespace

TvlDictNodeKind vlDictNodeKind(const QTreeWidgetItem* node) {
  return node ? static_cast<TvlDictNodeKind>(node->data(0, kKindRole).toInt()) : nkPlaceholder;
}

void vlSetDictNodeKind(QTreeWidgetItem* node, TvlDictNodeKind kind) {
  node->setData(0, kKindRole, static_cast<int>(kind));
  if (kind == nkPlaceholder)
    node->setIcon(0, QIcon());
  else
    node->setIcon(0, vlDictIconSet(IconOf(kind)));
}

std::string vlNodeNamePart(const std::string& text) { return vlTrim(text.substr(0, text.find('{'))); }

std::string vlNodeAliasPart(const std::string& text) {
  const std::size_t open = text.find('{');
  if (open == std::string::npos) return {};
  const std::size_t close = text.find('}');
  if (close == std::string::npos || close < open) return text.substr(open + 1);
  return text.substr(open + 1, close - open - 1);
}

bool vlNodeHasAlias(const std::string& text) { return text.find('{') != std::string::npos; }

TvlAliasTab::TvlAliasTab(Kind kind, TvlDataDictionary& dictionary, TvlVariables& list, QWidget* parent)
    : QWidget(parent), kind_(kind), dictionary_(dictionary), list_(list) {
  const bool fields = kind == FieldAliases;
  Tree = new QTreeWidget(this);
  Tree->setObjectName(fields ? "FieldAliasesTree" : "BandDSTree");
  Tree->header()->hide();
  Tree->installEventFilter(this);
  AllLB = new TvlChooserList(fields ? TvlDictIcon::Dataset : TvlDictIcon::BandSource, this);
  AllLB->setObjectName(fields ? "AllTablesLB" : "AllBandsLB");
  AllLB->setSelectionMode(QAbstractItemView::ExtendedSelection);
  AllLB->setSortingEnabled(true);
  auto* allLabel = new QLabel(vlStr(fields ? 53353 : 53358), this);
  allLabel->setBuddy(AllLB);

  AddBtn = new QPushButton(">", this);
  RemoveBtn = new QPushButton("<", this);
  AddAllBtn = new QPushButton(">>", this);
  RemoveAllBtn = new QPushButton("<<", this);
  auto* moves = new QVBoxLayout;
  moves->addStretch(1);
  for (QPushButton* b : {AddBtn, RemoveBtn, AddAllBtn, RemoveAllBtn}) {
    b->setFixedWidth(32);
    b->setAutoDefault(false);
    moves->addWidget(b);
  }
  moves->addStretch(1);
  AddBtn->setObjectName("AddBtn");
  RemoveBtn->setObjectName("RemoveBtn");
  AddAllBtn->setObjectName("AddAllBtn");
  RemoveAllBtn->setObjectName("RemoveAllBtn");

  auto* appearance = new QGroupBox(vlStr(53354), this);
  AliasEdit = new QLineEdit(appearance);
  AliasEdit->setObjectName(fields ? "Edit1" : "Edit2");
  AliasEdit->installEventFilter(this);
  auto* aliasLabel = new QLabel(vlStr(53355), appearance);
  aliasLabel->setBuddy(AliasEdit);
  auto* appearanceLayout = new QGridLayout(appearance);
  appearanceLayout->addWidget(aliasLabel, 0, 0);
  appearanceLayout->addWidget(AliasEdit, 0, 1);
  ExcludeCB = nullptr;
  if (fields) {
    ExcludeCB = new QCheckBox(vlStr(53356), appearance);
    ExcludeCB->setObjectName("CB1");
    appearanceLayout->addWidget(ExcludeCB, 1, 1);
    connect(ExcludeCB, &QCheckBox::clicked, this, [this] { ExcludeClicked(); });
  }

  auto* listColumn = new QVBoxLayout;
  listColumn->addWidget(allLabel);
  listColumn->addWidget(AllLB, 1);
  auto* top = new QHBoxLayout;
  top->addWidget(Tree, 3);
  top->addLayout(moves);
  top->addLayout(listColumn, 2);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top, 1);
  layout->addWidget(appearance);

  connect(Tree, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) { NodeSelected(current); });
  connect(Tree, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* node) { ExpandDataset(node); });
  connect(AliasEdit, &QLineEdit::editingFinished, this, [this] { CommitAlias(); });
  connect(AddBtn, &QPushButton::clicked, this, [this] { Add(); });
  connect(RemoveBtn, &QPushButton::clicked, this, [this] { Remove(); });
  connect(AddAllBtn, &QPushButton::clicked, this, [this] { AddAll(); });
  connect(RemoveAllBtn, &QPushButton::clicked, this, [this] { RemoveAll(); });
  connect(AllLB, &QListWidget::itemDoubleClicked, this, [this] { Add(); });
  // Names and nodes are dragged between the two sides; the views themselves
  // move nothing, the drop runs ">" or "<".
  for (QAbstractItemView* view : std::initializer_list<QAbstractItemView*>{Tree, AllLB}) {
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setAcceptDrops(true);
    view->viewport()->installEventFilter(this);
  }
}

bool TvlAliasTab::DropFrom(const QObject* source, const QObject* target) {
  if (source == AllLB && (target == Tree || target == Tree->viewport())) {
    Add();
    return true;
  }
  if ((source == Tree || source == Tree->viewport()) && (target == AllLB || target == AllLB->viewport())) {
    Remove();
    return true;
  }
  return false;
}

QTreeWidgetItem* TvlAliasTab::Root() const { return Tree->topLevelItem(0); }

void TvlAliasTab::Fill() {
  aliasNode_ = nullptr;
  Tree->clear();
  AllLB->clear();
  auto* root = new QTreeWidgetItem(Tree, QStringList(vlStr(kind_ == FieldAliases ? 53352 : 53357)));
  vlSetDictNodeKind(root, nkRoot);
  TvlFieldResolver* resolver = dictionary_.FieldResolver();
  std::vector<std::string> names;
  if (resolver) names = kind_ == FieldAliases ? resolver->DataSetNames() : resolver->BandDataSourceNames();
  SortNames(names);
  for (const std::string& name : names) {
    const int index = list_.Count() > 0 ? list_.IndexOf(name) : -1;
    if (index >= 0)
      AddSourceNode(name, vlValueToText(list_.ValueAt(index)));
    else
      AddToList(name);
  }
  if (kind_ == FieldAliases)
    root->setExpanded(true);
  else
    Tree->expandAll();
  Tree->setCurrentItem(root);
  NodeSelected(root);
}

QTreeWidgetItem* TvlAliasTab::AddSourceNode(const std::string& name, const std::string& alias) {
  auto* node = new QTreeWidgetItem(Root());
  SetNodeText(node, WithAlias(name, alias));
  if (kind_ == FieldAliases) {
    vlSetDictNodeKind(node, nkDataset);
    auto* placeholder = new QTreeWidgetItem(node, QStringList(vlStr(55076)));
    vlSetDictNodeKind(placeholder, nkPlaceholder);
  } else {
    vlSetDictNodeKind(node, nkBandSource);
  }
  return node;
}

void TvlAliasTab::AddToList(const std::string& name) {
  const QString q = vlToQt(name);
  for (int k = 0; k < AllLB->count(); ++k)
    if (AllLB->item(k)->text() == q) return;
  AllLB->addItem(q);
}

QTreeWidgetItem* TvlAliasTab::FindNode(const std::string& name) const {
  QTreeWidgetItem* root = Root();
  for (int k = 0; root && k < root->childCount(); ++k)
    if (vlSameText(vlNodeNamePart(NodeText(root->child(k))), name)) return root->child(k);
  return nullptr;
}

std::string TvlAliasTab::FieldKey(const QTreeWidgetItem* fieldNode) const {
  return vlFieldAliasKey(vlNodeNamePart(NodeText(fieldNode->parent())), vlNodeNamePart(NodeText(fieldNode)));
}

void TvlAliasTab::ExpandDataset(QTreeWidgetItem* node) {
  if (kind_ != FieldAliases || vlDictNodeKind(node) != nkDataset || node->childCount() == 0 ||
      vlDictNodeKind(node->child(node->childCount() - 1)) != nkPlaceholder)
    return;
  if (aliasNode_ && aliasNode_->parent() == node) aliasNode_ = nullptr;
  qDeleteAll(node->takeChildren());
  const std::string dataSet = vlNodeNamePart(NodeText(node));
  std::vector<std::string> fields;
  if (TvlFieldResolver* resolver = dictionary_.FieldResolver()) fields = resolver->FieldNames(dataSet);
  SortNames(fields);
  for (const std::string& field : fields) {
    auto* child = new QTreeWidgetItem(node);
    const int index = list_.IndexOf(vlFieldAliasKey(dataSet, field));
    const std::string alias = index >= 0 ? vlValueToText(list_.ValueAt(index)) : std::string();
    if (index >= 0 && alias.empty()) {
      vlSetDictNodeKind(child, nkExcludedField);
      SetNodeText(child, field);
    } else {
      vlSetDictNodeKind(child, nkField);
      SetNodeText(child, WithAlias(field, alias));
    }
  }
}

void TvlAliasTab::NodeSelected(QTreeWidgetItem* node) {
  CommitAlias();
  aliasNode_ = node;
  const TvlDictNodeKind kind = vlDictNodeKind(node);
  std::string alias;
  if (node && kind != nkRoot) {
    const std::string text = NodeText(node);
    alias = vlNodeHasAlias(text) ? vlNodeAliasPart(text) : text;
  }
  AliasEdit->setText(vlToQt(alias));
  AliasEdit->setModified(false);
  if (ExcludeCB) ExcludeCB->setChecked(kind == nkExcludedField);
}

void TvlAliasTab::CommitAlias() {
  QTreeWidgetItem* node = aliasNode_;
  if (!node || !AliasEdit->isModified()) return;
  AliasEdit->setModified(false);
  const std::string alias = vlFromQt(AliasEdit->text());
  const std::string name = vlNodeNamePart(NodeText(node));
  switch (vlDictNodeKind(node)) {
    case nkField:
    case nkExcludedField:
      // Clearing a field's alias shows the field by its own name again; an
      // excluded field typed an alias for comes back under that alias.
      if (alias.empty()) {
        if (vlDictNodeKind(node) == nkField) {
          const int index = list_.IndexOf(FieldKey(node));
          if (index >= 0) list_.Delete(index);
          SetNodeText(node, name);
        }
        return;
      }
      vlSetDictNodeKind(node, nkField);
      if (ExcludeCB) ExcludeCB->setChecked(false);
      list_.Set(FieldKey(node), TvlValue(alias));
      SetNodeText(node, WithAlias(name, alias));
      break;
    case nkDataset:
    case nkBandSource:
      list_.Set(name, TvlValue(alias));
      SetNodeText(node, WithAlias(name, alias));
      break;
    default:
      // The root and the placeholder take no alias.
      break;
  }
}

void TvlAliasTab::ExcludeClicked() {
  QTreeWidgetItem* node = Tree->currentItem();
  const TvlDictNodeKind kind = vlDictNodeKind(node);
  if (kind != nkField && kind != nkExcludedField) {
    if (ExcludeCB) ExcludeCB->setChecked(false);
    return;
  }
  AliasEdit->setModified(false);
  const std::string field = vlNodeNamePart(NodeText(node));
  const std::string key = FieldKey(node);
  SetNodeText(node, field);
  if (kind == nkExcludedField) {
    vlSetDictNodeKind(node, nkField);
    const int index = list_.IndexOf(key);
    if (index >= 0) list_.Delete(index);
  } else {
    vlSetDictNodeKind(node, nkExcludedField);
    list_.Set(key, TvlValue(std::string()));
  }
  ExcludeCB->setChecked(vlDictNodeKind(node) == nkExcludedField);
  AliasEdit->setText(vlToQt(field));
  AliasEdit->setModified(false);
}

void TvlAliasTab::Add() {
  CommitAlias();
  int oldRow = -1;
  std::vector<std::string> names;
  for (int k = 0; k < AllLB->count(); ++k) {
    if (!AllLB->item(k)->isSelected()) continue;
    if (oldRow < 0) oldRow = k;
    names.push_back(vlFromQt(AllLB->item(k)->text()));
  }
  if (names.empty()) return;
  for (const std::string& name : names) {
    AddSourceNode(name, {});
    list_.Set(name, TvlValue(std::string()));
    for (int k = 0; k < AllLB->count(); ++k)
      if (vlFromQt(AllLB->item(k)->text()) == name) delete AllLB->takeItem(k--);
  }
  Root()->setExpanded(true);
  Tree->setCurrentItem(Root());
  AllLB->SelectRow(std::min(oldRow, AllLB->count() - 1));
}

void TvlAliasTab::Remove() {
  QTreeWidgetItem* node = Tree->currentItem();
  const TvlDictNodeKind kind = vlDictNodeKind(node);
  if (kind != nkDataset && kind != nkBandSource) return;
  AliasEdit->setModified(false);
  const std::string name = vlNodeNamePart(NodeText(node));
  if (kind == nkDataset) {
    // Every field entry of the dataset goes, also of fields never expanded.
    const std::string prefix = name + ".\"";
    for (int k = list_.Count() - 1; k >= 0; --k) {
      const std::string key = list_.NameAt(k);
      if (key.size() > prefix.size() && vlSameText(key.substr(0, prefix.size()), prefix)) list_.Delete(k);
    }
  }
  const int index = list_.IndexOf(name);
  if (index >= 0) list_.Delete(index);
  AddToList(name);
  aliasNode_ = nullptr;
  delete node;
}

void TvlAliasTab::AddAll() {
  CommitAlias();
  for (const std::string& name : AllLB->Items()) {
    AddSourceNode(name, {});
    list_.Set(name, TvlValue(std::string()));
  }
  AllLB->clear();
  Root()->setExpanded(true);
  Tree->setCurrentItem(Root());
}

void TvlAliasTab::RemoveAll() {
  AliasEdit->setModified(false);
  for (const TvlVariables::Entry& e : list_.Entries())
    if (kind_ == BandSources || !vlIsFieldAliasKey(e.Name)) AddToList(e.Name);
  list_.Clear();
  aliasNode_ = nullptr;
  qDeleteAll(Root()->takeChildren());
  Tree->setCurrentItem(Root());
  NodeSelected(Root());
}

bool TvlAliasTab::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Tree->viewport() || watched == AllLB->viewport()) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
      return QWidget::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const QObject* other = watched == Tree->viewport() ? static_cast<QObject*>(AllLB) : Tree;
    if (drop->source() != other) {
      drop->ignore();
      return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop) DropFrom(other, watched);
    return true;
  }
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  const int key = static_cast<QKeyEvent*>(event)->key();
  const bool enter = key == Qt::Key_Return || key == Qt::Key_Enter;
  if (watched == AliasEdit && enter) {
    CommitAlias();
    Tree->setFocus();
    return true;
  }
  if (watched == Tree && enter) {
    AliasEdit->setFocus();
    AliasEdit->selectAll();
    return true;
  }
  if (watched == Tree && key == Qt::Key_Space && ExcludeCB) {
    ExcludeClicked();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace vl
