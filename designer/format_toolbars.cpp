#include "designer/format_toolbars.h"

#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include "controls/color_selector.h"
#include "controls/dock.h"
#include "controls/edges.h"
#include "controls/flat_combo_box.h"
#include "controls/font_combo_box.h"
#include "controls/tool_bar.h"
#include "controls/toolbar_items.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/designer_restrictions.h"
#include "designer/designer_text.h"
#include "designer/format_glyphs.h"
#include "engine/model/memo_view.h"
#include "engine/model/page.h"
#include "engine/model/views.h"
#include "platform/platform.h"

namespace vl {

namespace {

using G = TvlFormatGlyph;

constexpr const char* kObjectName = "FormatToolbars";
// Radio groups of the text toolbar; every toggle has a group of its own.
constexpr int kHorizontalGroup = 1, kVerticalGroup = 2, kFirstToggleGroup = 3;
constexpr int kToolbarRow = 26;  // the picker and the style panel open this far under a toolbar's top

// The line-style panel: six flat buttons, one per frame style.
class TvlLineStylePanel : public QWidget {
 public:
  explicit TvlLineStylePanel(QWidget* owner) : QWidget(owner) { hide(); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    const TvlControlColors colors = TvlControlColors::Of(this);
    p.fillRect(rect(), colors.Face);
    vlRaisedFrame(p, rect(), colors);
  }
};

QString FrameWidthText(float width) {
  // General format with two significant digits, comma as in the box's list.
  return QString::number(static_cast<double>(width), 'g', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

}  // namespace

TvlFormatToolbars::TvlFormatToolbars(TvlDesignerForm& form) : QObject(&form), form_(form) {
  setObjectName(QString::fromLatin1(kObjectName));
  colors_ = {{ftFillColor, clNone}, {ftFontColor, clBlack}, {ftFrameColor, clBlack}};
  BuildText();
  BuildRectangle();
  BuildLineStyles();
  Picker = new TColorSelector(&form);
  Picker->setObjectName(QStringLiteral("ColorSelector"));
  Picker->OnColorSelected = [this](TColorSelector* picker) {
    SetButtonColor(pickerTag_, picker->Color());
    ApplyToolbarCommand(pickerTag_);
  };
  // The two toolbars share the row under the standard toolbar.
  TvlToolBar* text = form.ToolBar("Text");
  TvlToolBar* rectangle = form.ToolBar("Rectangle");
  TvlDock* top = form.Dock("DockTop");
  const int row = form.ToolBar("Standard")->y() + top->RowSize;
  for (TvlToolBar* bar : {text, rectangle}) {
    // Built empty, the toolbar turned its short side along the flow.
    bar->resize(std::max(bar->width(), bar->height()), top->RowSize);
    bar->AdjustSize();
    bar->SetShown(true);
  }
  text->DockInto(top, 0, row);
  rectangle->DockInto(top, text->width(), row);
  for (TvlDock* d : vlDocksOf(&form)) d->AdjustBounds();
  form.SelectionChangedListeners.push_back([this] {
    if (!applying_) SyncToolbars();
  });
  form.KeyListeners.push_back([this](int key, Qt::KeyboardModifiers mods) { return HandleKey(key, mods); });
}

TvlFormatToolbars* TvlFormatToolbars::Of(const TvlDesignerForm& form) {
  return static_cast<TvlFormatToolbars*>(form.findChild<QObject*>(QString::fromLatin1(kObjectName), Qt::FindDirectChildrenOnly));
}

TvlSpeedButton* TvlFormatToolbars::Button(const std::string& name) const {
  auto it = buttons_.find(name);
  return it == buttons_.end() ? nullptr : it->second;
}

TvlSpeedButton* TvlFormatToolbars::AddButton(const char* toolbar, const char* name, int tag, int hint, int glyph,
                                             int group) {
  auto* b = new TvlTBButton(form_.ToolBar(toolbar));
  b->setObjectName(QString::fromLatin1(name));
  b->Tag = tag;
  b->setToolTip(vlStr(hint));
  b->SetGlyph(vlFormatGlyph(static_cast<G>(glyph)));
  b->SetGrayedInactive(form_.Options.GrayButtons);
  if (group) {
    b->SetGroupIndex(group);
    b->SetAllowAllUp(group >= kFirstToggleGroup);
  }
  b->OnClick = [this, tag] { ApplyToolbarCommand(tag); };
  buttons_[name] = b;
  return b;
}

void TvlFormatToolbars::BuildText() {
  TvlToolBar* bar = form_.ToolBar("Text");
  auto* panel = new TvlTBPanel(bar);
  panel->setObjectName(QStringLiteral("FontPanel"));
  FontName = new TvlFontComboBox(panel);
  FontName->setObjectName(QStringLiteral("C2"));
  FontName->setToolTip(vlStr(57210));
  FontName->setGeometry(0, 1, 150, 21);
  FontName->OnClick = [this] { ApplyToolbarCommand(ftFontName); };
  nameEdit_ = FontName->lineEdit();
  FontName->lineEdit()->installEventFilter(this);
  FontSize = new TvlComboBox(panel);
  FontSize->setObjectName(QStringLiteral("C3"));
  FontSize->setToolTip(vlStr(57211));
  FontSize->SetStyle(TvlComboStyle::csDropDown);
  for (const char* size : {"5", "6", "7", "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "28",
                           "36", "48", "72"})
    FontSize->addItem(QString::fromLatin1(size));
  FontSize->setGeometry(154, 1, 42, 21);
  FontSize->OnClick = [this] { ApplyToolbarCommand(ftFontSize); };
  FontSize->setInsertPolicy(QComboBox::NoInsert);
  sizeEdit_ = FontSize->lineEdit();
  FontSize->lineEdit()->installEventFilter(this);
  sizeBox_ = FontSize;
  FontSize->installEventFilter(this);
  panel->resize(198, 22);
  new TvlTBSeparator(bar);
  int group = kFirstToggleGroup;
  AddButton("Text", "FnB1", ftBold, 57212, int(G::Bold), group++);
  AddButton("Text", "FnB2", ftItalic, 57213, int(G::Italic), group++);
  AddButton("Text", "FnB3", ftUnderline, 57214, int(G::Underline), group++);
  new TvlTBSeparator(bar);
  AddButton("Text", "AlB1", ftAlignLeft, 57215, int(G::AlignLeft), kHorizontalGroup)->SetDown(true);
  AddButton("Text", "AlB2", ftAlignRight, 57216, int(G::AlignRight), kHorizontalGroup);
  AddButton("Text", "AlB3", ftAlignCenter, 57217, int(G::AlignCenter), kHorizontalGroup);
  AddButton("Text", "AlB8", ftAlignWidth, 57218, int(G::AlignWidth), kHorizontalGroup);
  new TvlTBSeparator(bar);
  AddButton("Text", "AlB4", ftRotated, 57219, int(G::Rotated), group++);
  new TvlTBSeparator(bar);
  AddButton("Text", "AlB6", ftVertical, 57220, int(G::AlignTop), kVerticalGroup)->SetDown(true);
  AddButton("Text", "AlB5", ftVertical, 57221, int(G::AlignMiddle), kVerticalGroup);
  AddButton("Text", "AlB7", ftVertical, 57222, int(G::AlignBottom), kVerticalGroup);
  new TvlTBSeparator(bar);
  AddButton("Text", "ClB2", ftFontColor, 57207, int(G::FontColor))->OnClick = [this] { ColorButtonClick(ftFontColor); };
  AddButton("Text", "HlB1", 0, 57224, int(G::Highlight))->OnClick = [this] {
    if (auto& edit = vlDesignerDialogs().PropertyEditors["Highlight"]) edit(form_, nullptr);
  };
  SetButtonColor(ftFontColor, colors_[ftFontColor]);
}

void TvlFormatToolbars::BuildRectangle() {
  TvlToolBar* bar = form_.ToolBar("Rectangle");
  int group = kFirstToggleGroup;
  AddButton("Rectangle", "FrB1", ftTopLine, 57200, int(G::TopLine), group++);
  AddButton("Rectangle", "FrB2", ftLeftLine, 57201, int(G::LeftLine), group++);
  AddButton("Rectangle", "FrB3", ftBottomLine, 57202, int(G::BottomLine), group++);
  AddButton("Rectangle", "FrB4", ftRightLine, 57203, int(G::RightLine), group++);
  AddButton("Rectangle", "FrB5", ftAllLines, 57204, int(G::AllLines));
  AddButton("Rectangle", "FrB6", ftNoLines, 57205, int(G::NoLines));
  new TvlTBSeparator(bar);
  AddButton("Rectangle", "ClB1", ftFillColor, 57206, int(G::FillColor))->OnClick = [this] { ColorButtonClick(ftFillColor); };
  AddButton("Rectangle", "ClB3", ftFrameColor, 57208, int(G::FrameColor))->OnClick = [this] {
    ColorButtonClick(ftFrameColor);
  };
  new TvlTBSeparator(bar);
  auto* panel = new TvlTBPanel(bar);
  panel->setObjectName(QStringLiteral("WidthPanel"));
  FrameWidth = new TvlComboBox(panel);
  FrameWidth->setObjectName(QStringLiteral("C4"));
  FrameWidth->setToolTip(vlStr(57209));
  FrameWidth->SetStyle(TvlComboStyle::csDropDown);
  for (const char* w : {"0,1", "0,5", "1", "1,5", "2", "3", "4", "5", "6", "7", "8", "9", "10"})
    FrameWidth->addItem(QString::fromLatin1(w));
  FrameWidth->setGeometry(0, 1, 48, 21);
  FrameWidth->setCurrentText(QStringLiteral("1"));
  FrameWidth->OnClick = [this] { ApplyToolbarCommand(ftFrameWidth); };
  FrameWidth->setInsertPolicy(QComboBox::NoInsert);
  widthEdit_ = FrameWidth->lineEdit();
  FrameWidth->lineEdit()->installEventFilter(this);
  widthBox_ = FrameWidth;
  FrameWidth->installEventFilter(this);
  panel->resize(50, 22);
  AddButton("Rectangle", "StB1", 0, 57223, int(G::LineStyle))->OnClick = [this] { LineStyleButtonClick(); };
  SetButtonColor(ftFillColor, colors_[ftFillColor]);
  SetButtonColor(ftFrameColor, colors_[ftFrameColor]);
}

void TvlFormatToolbars::BuildLineStyles() {
  LineStyles = new TvlLineStylePanel(&form_);
  LineStyles->setObjectName(QStringLiteral("LineStylePanel"));
  for (int style = 0; style < 6; ++style) {
    auto* b = new TvlSpeedButton(LineStyles);
    const std::string name = "StyleB" + std::to_string(style);
    b->setObjectName(QString::fromStdString(name));
    b->SetFlat(true);
    b->SetGrayedInactive(false);
    b->SetGlyph(vlLineStyleGlyph(style));
    b->Tag = ftLineStyle + style;
    b->setGeometry(2, 2 + 20 * style, 40, 20);
    b->OnClick = [this, style] {
      LineStyles->hide();
      ApplyToolbarCommand(ftLineStyle + style);
    };
    buttons_[name] = b;
  }
  LineStyles->resize(44, 4 + 20 * 6);
}

TvlColor TvlFormatToolbars::ButtonColor(int tag) const {
  auto it = colors_.find(tag);
  return it == colors_.end() ? clNone : it->second;
}

void TvlFormatToolbars::SetButtonColor(int tag, TvlColor color) {
  colors_[tag] = color;
  const char* name = tag == ftFillColor ? "ClB1" : tag == ftFontColor ? "ClB2" : "ClB3";
  const G glyph = tag == ftFillColor ? G::FillColor : tag == ftFontColor ? G::FontColor : G::FrameColor;
  if (TvlSpeedButton* b = Button(name)) b->SetGlyph(vlSwatchGlyph(vlFormatGlyph(glyph), color));
}

// Where a popup opens under a toolbar button (window coordinates), kept
// inside the window.
static QPoint UnderButton(TvlDesignerForm& form, QWidget* button, QWidget* popup) {
  const QPoint x = button->mapTo(&form, QPoint(0, 0));
  const QPoint row = button->parentWidget()->mapTo(&form, QPoint(0, 0));
  return QPoint(std::max(0, std::min(x.x(), form.width() - popup->width())), row.y() + kToolbarRow);
}

void TvlFormatToolbars::ColorButtonClick(int tag) {
  LineStyles->hide();
  const char* name = tag == ftFillColor ? "ClB1" : tag == ftFontColor ? "ClB2" : "ClB3";
  TvlSpeedButton* b = Button(name);
  const QPoint place = UnderButton(form_, b, Picker);
  if (Picker->isVisible() && Picker->pos() == place) {
    Picker->hide();
    return;
  }
  pickerTag_ = tag;
  Picker->SetColor(ButtonColor(tag));
  Picker->move(place);
  Picker->raise();
  Picker->show();
}

void TvlFormatToolbars::LineStyleButtonClick() {
  Picker->hide();
  if (LineStyles->isVisible()) {
    LineStyles->hide();
    return;
  }
  LineStyles->move(UnderButton(form_, Button("StB1"), LineStyles));
  LineStyles->raise();
  LineStyles->show();
}

bool TvlFormatToolbars::ReadControls(int tag, TvlFormatControls& c) const {
  auto down = [this](const char* name) { return Button(name)->Down(); };
  c.TopLine = down("FrB1");
  c.LeftLine = down("FrB2");
  c.BottomLine = down("FrB3");
  c.RightLine = down("FrB4");
  c.FillColor = ButtonColor(ftFillColor);
  c.FontColor = ButtonColor(ftFontColor);
  c.FrameColor = ButtonColor(ftFrameColor);
  c.FontName = vlFromQt(FontName->currentText());
  c.Bold = down("FnB1");
  c.Italic = down("FnB2");
  c.Underline = down("FnB3");
  c.Rotated = down("AlB4");
  c.VCenter = down("AlB5");
  c.VBottom = down("AlB7");
  if (tag == ftFrameWidth || tag == ftFontSize) {
    const std::string text = vlFromQt((tag == ftFrameWidth ? FrameWidth : FontSize)->currentText());
    bool ok = false;
    if (tag == ftFrameWidth) {
      const auto width = vlReadFrameWidth(text);
      ok = width.has_value();
      if (ok) c.FrameWidth = *width;
    } else {
      const auto size = vlReadFontSize(text);
      ok = size.has_value();
      if (ok) c.FontSize = *size;
    }
    if (!ok) {
      std::string message = vlLoadStr(tag == ftFrameWidth ? 57240 : 57241);
      if (const auto at = message.find("%s"); at != std::string::npos) message.replace(at, 2, text);
      vlShowMessage(message, vlLoadStr(str::kError), TvlMsgIcon::Error);
      return false;
    }
  }
  return true;
}

void TvlFormatToolbars::ApplyToolbarCommand(int tag) {
  if (form_.Synchronising || tag <= 0) return;
  // Nothing to change: the boxes are not even read.
  if (vlRestricted(dsNoModifyObject) || form_.SelectionCount() == 0) return;
  TvlFormatControls controls;
  if (!ReadControls(tag, controls)) return;
  applying_ = true;
  form_.ApplyToSelection(
      [&](TvlView& v) { vlApplyFormatCommand(v, tag, controls, vlLastUsed()); });
  applying_ = false;
  LeaveToolbars();
  if (tag == ftAllLines || tag == ftNoLines) SyncToolbars();
}

void TvlFormatToolbars::LeaveToolbars() {
  QWidget* focus = QApplication::focusWidget();
  for (const char* name : {"Text", "Rectangle"})
    if (focus && form_.ToolBar(name)->isAncestorOf(focus)) form_.setFocus();
}

void TvlFormatToolbars::EnableToolbars() {
  const std::vector<TvlView*> selected = form_.Selection();
  const bool reportPage = form_.Page && form_.Page->PageType == ptReport;
  const bool one = selected.size() == 1, several = selected.size() > 1;
  const bool memo = one && selected.front()->Typ == otMemo;
  const bool other = one && selected.front()->Typ != otBand;
  const bool frame = reportPage && (other || several);
  const bool text = reportPage && (memo || several);
  for (auto [name, enabled] : {std::pair{"Text", text}, std::pair{"Rectangle", frame}})
    for (QWidget* c : form_.ToolBar(name)->Controls())
      if (c != form_.ToolBar(name)->Grip()) c->setEnabled(enabled);
}

void TvlFormatToolbars::SyncToolbars() {
  form_.Synchronising = true;
  Picker->hide();
  LineStyles->hide();
  EnableToolbars();
  const std::vector<TvlView*> selected = form_.Selection();
  auto set = [this](const char* name, bool down) {
    TvlSpeedButton* b = Button(name);
    b->SetAllowAllUp(true);  // a toggle may go up; radio buttons are only ever set down here
    b->SetDown(down);
  };
  auto radio = [this](const char* name) {
    TvlSpeedButton* b = Button(name);
    b->SetDown(true);
    b->SetAllowAllUp(false);
  };
  if (selected.size() == 1 && selected.front()->Typ != otBand) {
    const TvlView& v = *selected.front();
    set("FrB1", v.FrameTyp & vlftTop);
    set("FrB2", v.FrameTyp & vlftLeft);
    set("FrB3", v.FrameTyp & vlftBottom);
    set("FrB4", v.FrameTyp & vlftRight);
    FrameWidth->setCurrentText(FrameWidthText(v.FrameWidth));
    SetButtonColor(ftFillColor, v.FillColor);
    SetButtonColor(ftFrameColor, v.FrameColor);
    if (v.Typ == otMemo) {
      const auto& memo = static_cast<const TvlMemoView&>(v);
      SetButtonColor(ftFontColor, memo.Font.Color);
      const QString name = vlToQt(memo.Font.Name), size = QString::number(memo.Font.Size);
      if (FontName->currentText() != name) FontName->setCurrentText(name);
      if (FontSize->currentText() != size) FontSize->setCurrentText(size);
      set("FnB1", memo.Font.Style & fsBold);
      set("FnB2", memo.Font.Style & fsItalic);
      set("FnB3", memo.Font.Style & fsUnderline);
      set("AlB4", memo.Alignment & vltaVertical);
      const int vertical = memo.Alignment & (vltaMiddle | vltaDown);
      radio(vertical == vltaMiddle ? "AlB5" : vertical == vltaDown ? "AlB7" : "AlB6");
      const char* horizontal[] = {"AlB1", "AlB2", "AlB3", "AlB8"};
      radio(horizontal[memo.Alignment & 3]);
    }
  } else if (selected.size() > 1) {
    for (const char* name : {"FrB1", "FrB2", "FrB3", "FrB4", "FnB1", "FnB2", "FnB3", "AlB4"}) set(name, false);
    SetButtonColor(ftFillColor, clBlack);
    FrameWidth->setCurrentText(QStringLiteral("1"));
    FontName->setCurrentText(QString());
    FontSize->setCurrentText(QString());
    radio("AlB1");
    radio("AlB6");
  } else if (selected.empty()) {
    // Nothing selected: the font a new text object takes.
    const TvlFont& font = vlLastUsed().Font;
    if (!font.Name.empty()) FontName->setCurrentText(vlToQt(font.Name));
    if (font.Size > 0) FontSize->setCurrentText(QString::number(font.Size));
  }
  form_.Synchronising = false;
  LeaveToolbars();
}

bool TvlFormatToolbars::HandleKey(int key, Qt::KeyboardModifiers mods) {
  if (!(mods & Qt::ControlModifier) || form_.SelectionCount() == 0) return false;
  if (key >= Qt::Key_1 && key <= Qt::Key_9) {
    FrameWidth->setCurrentText(QString::number(key - Qt::Key_0));
    ApplyToolbarCommand(ftFrameWidth);
    return true;
  }
  if (key == Qt::Key_F || key == Qt::Key_D) {
    ApplyToolbarCommand(key == Qt::Key_F ? ftAllLines : ftNoLines);
    return true;
  }
  if ((key == Qt::Key_B || key == Qt::Key_I || key == Qt::Key_U) && form_.SelectionCount() == 1) {
    const char* name = key == Qt::Key_B ? "FnB1" : key == Qt::Key_I ? "FnB2" : "FnB3";
    TvlSpeedButton* b = Button(name);
    b->SetDown(!b->Down());
    ApplyToolbarCommand(b->Tag);
    return true;
  }
  return false;
}

bool TvlFormatToolbars::eventFilter(QObject* watched, QEvent* event) {
  // The boxes' line edits are compared as taken when they were built: the
  // boxes may be half destroyed while their children still report events.
  // Enter applies the size and width boxes and ends there: the box never
  // sees it (so it neither adds the text to its list nor reports a pick), and
  // it never travels on to the window, whose Enter opens the text editor.
  // The key reaches the box or its line edit, whichever has the focus.
  const bool sizeBox = watched == sizeEdit_ || watched == sizeBox_;
  const bool widthBox = watched == widthEdit_ || watched == widthBox_;
  if (event->type() == QEvent::KeyPress && (sizeBox || widthBox)) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      ApplyToolbarCommand(sizeBox ? ftFontSize : ftFrameWidth);
      return true;
    }
  }
  if (watched == nameEdit_ && event->type() == QEvent::MouseButtonDblClick) {
    if (auto& edit = vlDesignerDialogs().PropertyEditors["Font"]) edit(form_, nullptr);
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace vl
