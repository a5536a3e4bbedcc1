#include "designer/dict_form.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "controls/combo_edit.h"
#include "controls/flat_combo_box.h"
#include "controls/speed_button.h"
#include "designer/chooser_list.h"
#include "designer/field_resolver_guard.h"
#include "designer/designer_text.h"
#include "designer/dict_alias_tab.h"
#include "designer/variables_text_editor.h"
#include "designer/expr_form.h"
#include "designer/db_fields_window.h"
#include "designer/ok_cancel_buttons.h"
#include "designer/var_form.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/report.h"
#include "platform/qt/qt_language.h"

namespace vl {
namespace {

constexpr int kOldTextRole = Qt::UserRole + 1;
constexpr int kSystemVariables = 55075;
constexpr int kPlaceholder = 55076;

bool Blank(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }

// The smallest "<base>n" (n from 1, at most 1000) that names no entry.
std::string FreeName(const TvlVariables& list, const std::string& prefix, const std::string& base) {
  int n = 1;
  while (n < 1000 && list.IndexOf(prefix + base + std::to_string(n)) >= 0) ++n;
  return base + std::to_string(n);
}

}  // namespace

TvlDictForm::TvlDictForm(TvlReport& report, QWidget* parent)
    : QDialog(parent),
      Variables(report.Dictionary.Variables),
      FieldAliases(report.Dictionary.FieldAliases),
      BandDataSources(report.Dictionary.BandDataSources),
      report_(report),
      fields_(std::make_unique<TvlDesignFields>(report)) {
  setWindowTitle(vlStr(53340));
  setSizeGripEnabled(true);
  Tabs = new QTabWidget(this);
  Tabs->addTab(CreateVariablesTab(), vlStr(53341));
  FieldAliasesTab = new TvlAliasTab(TvlAliasTab::FieldAliases, report.Dictionary, FieldAliases, Tabs);
  Tabs->addTab(FieldAliasesTab, vlStr(53342));
  BandDSTab = new TvlAliasTab(TvlAliasTab::BandSources, report.Dictionary, BandDataSources, Tabs);
  Tabs->addTab(BandDSTab, vlStr(53343));

  QDialogButtonBox* buttons = vlOkCancelButtons(this, false);
  if (DataSourcesHook()) {
    // The report's own data sources, reached from here as from the File menu.
    DataSourcesBtn = buttons->addButton(vlQTr("Data sources…"), QDialogButtonBox::ActionRole);
    DataSourcesBtn->setObjectName(QStringLiteral("DataSourcesBtn"));
    DataSourcesBtn->setAutoDefault(false);
    connect(DataSourcesBtn, &QPushButton::clicked, this, [this] {
      if (!DataSourcesHook()(this)) return;
      FillSources();
      FieldAliasesTab->Fill();
      BandDSTab->Fill();
    });
  }
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Tabs, 1);
  layout->addWidget(buttons);
  resize(560, 430);

  FillSources();
  BuildTree();
  FieldAliasesTab->Fill();
  BandDSTab->Fill();
}

TvlDictForm::~TvlDictForm() = default;

std::function<bool(QWidget* owner)>& TvlDictForm::DataSourcesHook() {
  static std::function<bool(QWidget*)> hook;
  return hook;
}

void TvlDictForm::FillSources() {
  // Sources: the dictionary's datasets (aliases applied), then the system variables.
  std::vector<std::string> sources = report_.Dictionary.GetDataSetList();
  std::stable_sort(sources.begin(), sources.end(),
                   [](const std::string& a, const std::string& b) { return vlCompareText(a, b) < 0; });
  sources.push_back(vlLoadStr(kSystemVariables));
  ValCombo->clear();
  for (const std::string& s : sources) ValCombo->addItem(vlToQt(s));
  ValCombo->setCurrentIndex(0);
  SourceChosen();
}

QWidget* TvlDictForm::CreateVariablesTab() {
  auto* page = new QWidget;
  VarTree = new QTreeWidget(page);
  VarTree->setObjectName("VarTree");
  VarTree->header()->hide();
  VarTree->setEditTriggers(QAbstractItemView::NoEditTriggers);
  VarTree->installEventFilter(this);
  auto* treeLabel = new QLabel(vlStr(53344), page);
  treeLabel->setBuddy(VarTree);

  auto makeButton = [page](const char* name, int hint, TvlDictIcon icon) {
    auto* b = new TvlSpeedButton(page);
    b->setObjectName(name);
    b->setToolTip(vlStr(hint));
    b->SetGlyph(vlDictIconImage(icon));
    b->SetFlat(true);
    b->setFixedSize(24, 24);
    return b;
  };
  NewCategoryBtn = makeButton("NewCategoryBtn", 53347, TvlDictIcon::NewCategory);
  NewVarBtn = makeButton("NewVarBtn", 53348, TvlDictIcon::NewVariable);
  EditBtn = makeButton("EditBtn", 53349, TvlDictIcon::EditNode);
  DelBtn = makeButton("DelBtn", 53350, TvlDictIcon::DeleteNode);
  EditListBtn = makeButton("EditListBtn", 53351, TvlDictIcon::EditList);
  NewCategoryBtn->OnClick = [this] { NewCategory(); };
  NewVarBtn->OnClick = [this] { NewVariable(); };
  EditBtn->OnClick = [this] { EditNode(); };
  DelBtn->OnClick = [this] { DeleteNode(); };
  EditListBtn->OnClick = [this] { EditList(); };
  auto* toolRow = new QHBoxLayout;
  toolRow->setSpacing(1);
  for (TvlSpeedButton* b : {NewCategoryBtn, NewVarBtn, EditBtn, DelBtn, EditListBtn}) toolRow->addWidget(b);
  toolRow->addStretch(1);

  ValCombo = new TvlComboBox(page);
  ValCombo->setObjectName("ValCombo");
  ValCombo->SetStyle(TvlComboStyle::csDropDownList);
  ValCombo->SetDropDownCount(12);
  ValList = new TvlChooserList(TvlDictIcon::Item, page);
  ValList->setObjectName("ValList");
  auto* valueLabel = new QLabel(vlStr(53345), page);
  valueLabel->setBuddy(ValCombo);
  ExprCB = new QCheckBox(vlStr(53346), page);
  ExprCB->setObjectName("ExprCB");
  ExprEdit = new TvlComboEdit(page);
  ExprEdit->setObjectName("ExprEdit");
  ExprEdit->setEnabled(false);
  ExprEdit->Edit()->installEventFilter(this);

  auto* left = new QVBoxLayout;
  left->addWidget(treeLabel);
  left->addLayout(toolRow);
  left->addWidget(VarTree, 1);
  auto* right = new QVBoxLayout;
  right->addWidget(valueLabel);
  right->addWidget(ValCombo);
  right->addWidget(ValList, 1);
  right->addWidget(ExprCB);
  right->addWidget(ExprEdit);
  auto* layout = new QHBoxLayout(page);
  layout->addLayout(left, 1);
  layout->addLayout(right, 1);

  connect(VarTree, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* current, QTreeWidgetItem* previous) { NodeSelected(current, previous); });
  connect(VarTree, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* node) { NodeRenamed(node); });
  // The key that ends an in-place edit reaches the tree too (the edit is
  // committed later, from the event loop); while editing the tree's own
  // keys stay off.
  connect(VarTree->itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { editing_ = false; });
  connect(ValCombo, &QComboBox::currentIndexChanged, this, [this] {
    if (!filling_) SourceChosen();
  });
  connect(ValList, &QListWidget::itemSelectionChanged, this, [this] {
    if (!filling_) ValueRowChosen();
  });
  connect(ExprCB, &QCheckBox::toggled, ExprEdit, &QWidget::setEnabled);
  connect(ExprCB, &QCheckBox::clicked, this, [this] { ExprClicked(); });
  vlMakeExpressionBox(ExprEdit, report_, true, [this] { CommitExpression(); });
  return page;
}

// ---- The tree ----

QTreeWidgetItem* TvlDictForm::AddNode(QTreeWidgetItem* parent, const std::string& text, int kind) {
  const bool was = filling_;
  filling_ = true;
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(VarTree);
  node->setText(0, vlToQt(text));
  node->setData(0, kOldTextRole, node->text(0));
  vlSetDictNodeKind(node, static_cast<TvlDictNodeKind>(kind));
  if (kind != nkPlaceholder) node->setFlags(node->flags() | Qt::ItemIsEditable);
  filling_ = was;
  return node;
}

void TvlDictForm::SetEmptyState(bool empty) {
  empty_ = empty;
  if (empty) {
    deleting_ = true;
    VarTree->clear();
    deleting_ = false;
    QTreeWidgetItem* placeholder = AddNode(nullptr, vlLoadStr(kPlaceholder), nkPlaceholder);
    VarTree->setRootIsDecorated(false);
    VarTree->setCurrentItem(placeholder);
    SetExprChecked(false);
    ExprCB->setEnabled(false);
  } else {
    if (VarTree->topLevelItemCount() == 1 && vlDictNodeKind(VarTree->topLevelItem(0)) == nkPlaceholder) {
      deleting_ = true;
      VarTree->clear();
      deleting_ = false;
    }
    VarTree->setRootIsDecorated(true);
    ExprCB->setEnabled(true);
  }
}

void TvlDictForm::BuildTree() {
  exprNode_ = nullptr;
  deleting_ = true;
  VarTree->clear();
  deleting_ = false;
  QTreeWidgetItem* category = nullptr;
  for (const TvlVariables::Entry& e : Variables.Entries()) {
    if (!e.Name.empty() && e.Name[0] == ' ')
      category = AddNode(nullptr, e.Name.substr(1), nkCategory);
    else if (category)
      AddNode(category, e.Name, nkVariable);
    // Entries before the first category stay in the list, unseen.
  }
  if (VarTree->topLevelItemCount() == 0) {
    SetEmptyState(true);
    return;
  }
  SetEmptyState(false);
  VarTree->expandAll();
  VarTree->setCurrentItem(VarTree->topLevelItem(0));
}

int TvlDictForm::EntryIndex(const QTreeWidgetItem* node) const {
  const TvlDictNodeKind kind = vlDictNodeKind(node);
  const std::string text = vlFromQt(node ? node->data(0, kOldTextRole).toString() : QString());
  if (kind == nkCategory) return Variables.IndexOf(" " + text);
  if (kind == nkVariable) return Variables.IndexOf(text);
  return -1;
}

void TvlDictForm::NewCategory() {
  if (empty_) SetEmptyState(false);
  const std::string name = FreeName(Variables, " ", "Category");
  Variables.Set(" " + name, TvlValue(std::string()));
  QTreeWidgetItem* node = AddNode(nullptr, name, nkCategory);
  StartEditing(node);
}

void TvlDictForm::NewVariable() {
  QTreeWidgetItem* node = VarTree->currentItem();
  if (empty_ || !node) return;
  QTreeWidgetItem* category = vlDictNodeKind(node) == nkVariable ? node->parent() : node;
  if (vlDictNodeKind(category) != nkCategory) return;
  const std::string name = FreeName(Variables, "", "Variable");
  QTreeWidgetItem* next = VarTree->topLevelItem(VarTree->indexOfTopLevelItem(category) + 1);
  const int nextIndex = next ? EntryIndex(next) : -1;
  if (nextIndex >= 0) {
    // The new variable becomes the last one of its category. It starts with
    // an empty value, wherever it lands.
    Variables.Insert(nextIndex, name);
    Variables.SetValueAt(nextIndex, TvlValue(std::string()));
  } else {
    Variables.Set(name, TvlValue(std::string()));
  }
  QTreeWidgetItem* child = AddNode(category, name, nkVariable);
  category->setExpanded(true);
  StartEditing(child);
}

void TvlDictForm::EditNode() {
  QTreeWidgetItem* node = VarTree->currentItem();
  if (!empty_ && node) StartEditing(node);
}

void TvlDictForm::StartEditing(QTreeWidgetItem* node) {
  VarTree->setCurrentItem(node);
  // Scrolling lays out pending rows, so the new node can be edited at once.
  VarTree->scrollToItem(node);
  editing_ = true;
  VarTree->editItem(node);
}

void TvlDictForm::NodeRenamed(QTreeWidgetItem* node) {
  if (filling_ || !node) return;
  const TvlDictNodeKind kind = vlDictNodeKind(node);
  if (kind != nkCategory && kind != nkVariable) return;
  const QString oldText = node->data(0, kOldTextRole).toString();
  if (node->text(0) == oldText) return;
  const std::string s = vlFromQt(node->text(0));
  const std::string old = vlFromQt(oldText);
  const std::string prefix = kind == nkCategory ? " " : "";
  // An empty name, or a variable name beginning with a blank (which the
  // stored list would read back as a category), is refused like a taken one.
  bool refused = s.empty() || (kind == nkVariable && s[0] == ' ');
  if (!refused && !vlSameText(s, old) && Variables.IndexOf(prefix + s) >= 0) refused = true;
  filling_ = true;
  if (refused) {
    node->setText(0, oldText);
  } else {
    const int index = Variables.IndexOf(prefix + old);
    if (index >= 0) Variables.SetNameAt(index, prefix + s);
    node->setData(0, kOldTextRole, node->text(0));
  }
  filling_ = false;
}

void TvlDictForm::DeleteNode() {
  QTreeWidgetItem* node = VarTree->currentItem();
  if (empty_ || !node) return;
  const TvlDictNodeKind kind = vlDictNodeKind(node);
  const int index = EntryIndex(node);
  if (index >= 0) {
    Variables.Delete(index);
    if (kind == nkCategory)
      while (index < Variables.Count() && !(Variables.NameAt(index).size() > 0 && Variables.NameAt(index)[0] == ' '))
        Variables.Delete(index);
  }
  exprNode_ = nullptr;
  deleting_ = true;
  delete node;
  deleting_ = false;
  if (VarTree->topLevelItemCount() == 0)
    SetEmptyState(true);
  else
    NodeSelected(VarTree->currentItem(), nullptr);
}

void TvlDictForm::EditList() {
  CommitExpression();
  TvlVaredForm editor(Variables, this);
  editor.exec();
  BuildTree();
}

// ---- Values ----

int TvlDictForm::SystemSourceIndex() const { return ValCombo->count() - 1; }

void TvlDictForm::SourceChosen() {
  const bool was = filling_;
  filling_ = true;
  const int index = ValCombo->currentIndex();
  std::vector<std::string> rows;
  if (index == SystemSourceIndex())
    rows = vlSystemVariableDisplayNames();
  else if (index >= 0)
    rows = report_.Dictionary.GetFieldList(vlFromQt(ValCombo->itemText(index)));
  rows.insert(rows.begin(), vlLoadStr(kPlaceholder));
  ValList->SetItems(rows);
  ValList->item(0)->setData(TvlChooserList::NoIconRole, true);
  filling_ = was;
}

void TvlDictForm::SelectValueRow(int row) {
  const bool was = filling_;
  filling_ = true;
  ValList->SelectRow(row);
  filling_ = was;
}

void TvlDictForm::SetExprChecked(bool checked) {
  ExprCB->setChecked(checked);
  ExprEdit->setEnabled(checked);
}

void TvlDictForm::NodeSelected(QTreeWidgetItem* current, QTreeWidgetItem* previous) {
  if (deleting_) return;
  if (!filling_) {
    QTreeWidgetItem* committed = exprNode_ ? exprNode_ : previous;
    if (committed && ExprEdit->isEnabled()) {
      const int index = EntryIndex(committed);
      if (index >= 0 && vlDictNodeKind(committed) == nkVariable)
        Variables.SetValueAt(index, TvlValue(vlFromQt(ExprEdit->Text())));
    }
  }
  exprNode_ = nullptr;
  const TvlDictNodeKind kind = vlDictNodeKind(current);
  ExprCB->setEnabled(!empty_ && kind == nkVariable);
  if (!ExprCB->isEnabled()) SetExprChecked(false);
  if (kind == nkCategory || kind == nkVariable) {
    const int index = EntryIndex(current);
    ShowValue(index >= 0 ? vlValueToText(Variables.ValueAt(index)) : std::string());
  }
}

void TvlDictForm::ShowValue(const std::string& value) {
  const bool was = filling_;
  filling_ = true;
  bool matched = false;
  std::string dataSet, field;
  // The period that splits a field reference is the last one outside quotes.
  if (value.find('.') != std::string::npos && vlSplitDictionaryReference(value, dataSet, field)) {
    for (int i = 0; i < SystemSourceIndex(); ++i) {
      const std::string real = report_.Dictionary.RealDataSetName(vlFromQt(ValCombo->itemText(i)));
      if (!vlSameText(real, dataSet)) continue;
      ValCombo->setCurrentIndex(i);
      SourceChosen();
      for (int r = 1; r < ValList->count(); ++r) {
        if (vlSameText(report_.Dictionary.RealFieldName(real, vlFromQt(ValList->item(r)->text())), field)) {
          SelectValueRow(r);
          matched = true;
          break;
        }
      }
      break;
    }
  }
  if (!matched && !Blank(value)) {
    for (int i = 0; i <= 8 && !matched; ++i) {
      if (i == 1 || !vlSameText(value, vlSystemVariableName(i))) continue;
      ValCombo->setCurrentIndex(SystemSourceIndex());
      SourceChosen();
      SelectValueRow(i == 0 ? 1 : i);
      matched = true;
    }
    if (!matched) {
      // Any other text is an expression (a field reference to a dataset not
      // offered included): it shows in the expression box.
      SelectValueRow(0);
      ExprEdit->SetText(vlToQt(value));
      SetExprChecked(true);
    }
  }
  if (Blank(value)) {
    SelectValueRow(0);
    ExprEdit->SetText(QString());
    SetExprChecked(false);
  }
  if (matched) {
    ExprEdit->SetText(QString());
    SetExprChecked(false);
  }
  filling_ = was;
}

void TvlDictForm::ValueRowChosen() {
  QTreeWidgetItem* node = VarTree->currentItem();
  if (vlDictNodeKind(node) != nkVariable || empty_) return;
  const int index = EntryIndex(node);
  if (index < 0) return;
  exprNode_ = nullptr;
  ExprEdit->SetText(QString());
  SetExprChecked(false);
  const int row = ValList->currentItem() && ValList->currentItem()->isSelected() ? ValList->currentRow() : 0;
  const int source = ValCombo->currentIndex();
  std::string value;
  if (row <= 0) {
    value.clear();
  } else if (source == SystemSourceIndex()) {
    value = vlSystemVariableName(row == 1 ? 0 : row);
  } else {
    const std::string real = report_.Dictionary.RealDataSetName(vlFromQt(ValCombo->itemText(source)));
    value = real + ".\"" + report_.Dictionary.RealFieldName(real, vlFromQt(ValList->item(row)->text())) + "\"";
  }
  Variables.SetValueAt(index, TvlValue(value));
}

void TvlDictForm::ExprClicked() {
  QTreeWidgetItem* node = VarTree->currentItem();
  SelectValueRow(0);
  ExprEdit->setEnabled(ExprCB->isChecked());
  if (ExprCB->isChecked()) {
    if (!VarTree->hasFocus()) ExprEdit->Edit()->setFocus();
    return;
  }
  ExprEdit->SetText(QString());
  const int index = EntryIndex(node);
  if (index >= 0 && vlDictNodeKind(node) == nkVariable) Variables.SetValueAt(index, TvlValue(std::string()));
}

void TvlDictForm::CommitExpression() {
  QTreeWidgetItem* node = exprNode_ ? exprNode_ : VarTree->currentItem();
  if (!node || !ExprEdit->isEnabled() || vlDictNodeKind(node) != nkVariable) return;
  const int index = EntryIndex(node);
  if (index >= 0) Variables.SetValueAt(index, TvlValue(vlFromQt(ExprEdit->Text())));
}

// ---- Dialog ----

void TvlDictForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  VarTree->setFocus();
}

bool TvlDictForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == ExprEdit->Edit()) {
    if (event->type() == QEvent::FocusIn) exprNode_ = VarTree->currentItem();
    if (event->type() == QEvent::FocusOut) CommitExpression();
  } else if (watched == VarTree && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (editing_) return false;
    switch (key->key()) {
      case Qt::Key_Insert:
        if ((key->modifiers() & Qt::ControlModifier) || empty_ || !VarTree->currentItem())
          NewCategory();
        else
          NewVariable();
        return true;
      case Qt::Key_Return:
      case Qt::Key_Enter:
        EditNode();
        return true;
      case Qt::Key_Delete:
        DeleteNode();
        return true;
      default:
        break;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TvlDictForm::done(int result) {
  if (result == QDialog::Accepted) {
    CommitExpression();
    FieldAliasesTab->CommitAlias();
    BandDSTab->CommitAlias();
    TvlDataDictionary& dictionary = report_.Dictionary;
    dictionary.Variables.Clear();
    dictionary.Variables.Assign(Variables);
    dictionary.FieldAliases.Clear();
    dictionary.FieldAliases.Assign(FieldAliases);
    dictionary.BandDataSources.Clear();
    dictionary.BandDataSources.Assign(BandDataSources);
    // Names bound through the old aliases or variables must bind afresh.
    dictionary.ClearCache();
  }
  QDialog::done(result);
}

bool vlShowDictionaryEditor(QWidget* parent, TvlReport& report) {
  TvlDictForm editor(report, parent);
  if (editor.exec() != QDialog::Accepted) return false;
  // New aliases rename what the DB fields window lists.
  if (TvlInsFieldsForm* window = TvlInsFieldsForm::Instance()) window->Refresh();
  return true;
}

}  // namespace vl
