#include "designer/inspector_window.h"

#include <QApplication>
#include <QColorDialog>
#include <QDateTime>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStyleOptionComboBox>
#include <QStylePainter>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "controls/edges.h"
#include "controls/owned_window.h"
#include "controls/popup_list_box.h"
#include "controls/speed_button.h"
#include "controls/tool_caption.h"
#include "designer/designer_text.h"
#include "engine/core/error.h"
#include "engine/core/format_settings.h"
#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/model/codes.h"
#include "engine/binding/colour_names.h"
#include "platform/qt/qt_canvas.h"

namespace vl {

namespace {

std::int64_t NowMs() { return QDateTime::currentMSecsSinceEpoch(); }

std::string Trimmed(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// An integer as typed: decimal with an optional sign, or "$" and hex digits.
bool TryInteger(const std::string& raw, std::int64_t& out) {
  const std::string text = Trimmed(raw);
  if (text.empty()) return false;
  char* end = nullptr;
  if (text[0] == '$') {
    if (text.size() == 1 || text.size() > 9) return false;
    out = static_cast<std::int64_t>(std::strtoull(text.c_str() + 1, &end, 16));
  } else {
    out = std::strtoll(text.c_str(), &end, 10);
  }
  return end && *end == '\0';
}

// Values beyond 32 bits are refused like letters rather than wrapped round.
std::int64_t IntegerOrError(const std::string& text) {
  std::int64_t v = 0;
  const bool hex = Trimmed(text).rfind('$', 0) == 0;
  if (!TryInteger(text, v) || (!hex && (v < INT32_MIN || v > INT32_MAX)))
    throw TvlError("'" + text + "' is not a valid integer value");
  return v;
}

TvlValue Int32Value(std::int64_t v) { return TvlValue(static_cast<std::int32_t>(static_cast<std::uint32_t>(v))); }

// The down arrow of the drop-down button.
QImage ArrowGlyph() {
  QImage image(7, 4, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  for (int y = 0; y < 4; ++y)
    for (int x = y; x < 7 - y; ++x) image.setPixelColor(x, y, Qt::black);
  return image;
}

}  // namespace

bool TProp::HasDropDown() const { return (Kind & (ptBoolean | ptColor | ptEnum)) != 0; }
bool TProp::ReadOnly() const { return (Kind & ptHasEditor) && !(Kind & ptString); }

std::string vlInspectorFloatText(double value) {
  // Four significant digits, then two decimals.
  if (value != 0 && std::isfinite(value)) {
    const double scale = std::pow(10.0, 3 - static_cast<int>(std::floor(std::log10(std::fabs(value)))));
    value = std::round(value * scale) / scale;
  }
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  if (const auto dot = text.find('.'); dot != std::string::npos) text[dot] = vlFormatSettings().DecimalSeparator;
  return text;
}

std::string vlInspectorDisplayText(const std::string& value, const TProp& row) {
  const std::uint16_t k = row.Kind;
  if (k & ptFloat) {
    double v = 0;
    return vlTryTextToFloat(value, v) ? vlInspectorFloatText(v) : value;
  }
  if (k & ptBoolean) {
    std::int64_t n = 0;
    if (vlSameText(value, "True") || (TryInteger(value, n) && n != 0)) return "True";
    if (vlSameText(value, "False") || (TryInteger(value, n) && n == 0)) return "False";
    return value;
  }
  if (k & ptColor) {
    std::int64_t n = 0;
    if (!TryInteger(value, n)) return value;
    const auto colour = static_cast<std::uint32_t>(n);
    if (const char* name = vlColourName(colour)) return name;
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%06X", colour);
    return buffer;
  }
  if ((k & ptEnum) && row.HasEnumValues()) {
    std::int64_t n = 0;
    if (!TryInteger(value, n)) return value;
    const auto& values = row.EnumValues.Items();
    for (std::size_t i = 0; i < values.size() && i < row.EnumNames.size(); ++i)
      if (values[i].IsNumeric() && vlValueToInteger(values[i]) == n) return row.EnumNames[i];
  }
  return value;
}

TvlValue vlInspectorTypedValue(const std::string& text, const TProp& row) {
  const std::uint16_t k = row.Kind;
  if (k & ptColor) {
    if (const auto named = vlNamedColour(Trimmed(text))) return Int32Value(*named);
    return Int32Value(IntegerOrError(text));
  }
  if (k & ptBoolean) {
    const std::string upper = vlUpperCase(Trimmed(text));
    return TvlValue(!(upper == "FALSE" || upper.empty() || upper == "0"));
  }
  if (k & ptEnum) {
    if (!row.HasEnumValues()) return TvlValue(text);
    const auto& values = row.EnumValues.Items();
    for (std::size_t i = 0; i < row.EnumNames.size(); ++i)
      if (row.EnumNames[i] == text) return i < values.size() ? values[i] : TvlValue(static_cast<std::int32_t>(i));
    return Int32Value(IntegerOrError(text));
  }
  if (k & ptFloat) {
    std::string t = Trimmed(text);
    std::replace(t.begin(), t.end(), ',', '.');
    double v = 0;
    TvlFormatSettings point = vlFormatSettings();
    point.DecimalSeparator = '.';
    if (!vlTryTextToFloat(t, v, point)) throw TvlError("'" + text + "' is not a valid floating point value");
    return TvlValue(v);
  }
  if (k & ptInteger) return Int32Value(IntegerOrError(text));
  return TvlValue(text);
}

// ---- The name box ----

TvlInspNameBox::TvlInspNameBox(QWidget* parent) : QComboBox(parent) {}

void TvlInspNameBox::showPopup() {
  if (BeforePopup) BeforePopup();
  QComboBox::showPopup();
}

void TvlInspNameBox::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionComboBox option;
  initStyleOption(&option);
  option.currentText = FaceText;
  p.drawComplexControl(QStyle::CC_ComboBox, option);
  p.drawControl(QStyle::CE_ComboBoxLabel, option);
}

// ---- The window ----

std::function<bool(QWidget*, std::uint32_t&)>& TvlInspForm::ChooseColour() {
  static std::function<bool(QWidget*, std::uint32_t&)> choose = [](QWidget* owner, std::uint32_t& colour) {
    QColorDialog dialog(vlQtColor(colour), owner);
    if (dialog.exec() != QDialog::Accepted) return false;
    const QColor c = dialog.selectedColor();
    colour = vlRGB(static_cast<std::uint8_t>(c.red()), static_cast<std::uint8_t>(c.green()),
                   static_cast<std::uint8_t>(c.blue()));
    return true;
  };
  return choose;
}

TvlInspForm::TvlInspForm(QWidget* owner) : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint) {
  setObjectName(QStringLiteral("TvlInspForm"));
  // Showing the window leaves the keyboard with the designer.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setWindowTitle(vlStr(53059));
  setMinimumWidth(80);
  QFont rowsFont(QStringLiteral("MS Sans Serif"));
  rowsFont.setPointSize(8);
  setFont(rowsFont);
  rowHeight_ = QFontMetrics(rowsFont).boundingRect(QStringLiteral("Wg")).height() + 3;

  CB1 = new TvlInspNameBox(this);
  CB1->setObjectName(QStringLiteral("CB1"));
  CB1->BeforePopup = [this] {
    std::vector<std::string> names;
    if (OnGetObjectNames) OnGetObjectNames(names);
    QStringList items;
    for (const std::string& n : names) items << vlToQt(n);
    items.sort(Qt::CaseInsensitive);
    const QSignalBlocker block(CB1);
    CB1->clear();
    CB1->addItems(items);
    CB1->setCurrentIndex(CB1->findText(vlToQt(ObjectName)));
  };
  connect(CB1, &QComboBox::activated, this, [this](int index) {
    const std::string name = vlFromQt(CB1->itemText(index));
    if (OnSelectObject && !name.empty()) OnSelectObject(name);
  });

  Box = new QScrollArea(this);
  Box->setObjectName(QStringLiteral("Box"));
  Box->setFrameShape(QFrame::StyledPanel);
  Box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Box->setWidgetResizable(false);
  PaintBox1 = new QWidget;
  PaintBox1->setObjectName(QStringLiteral("PaintBox1"));
  PaintBox1->setMouseTracking(true);
  PaintBox1->installEventFilter(this);
  Box->setWidget(PaintBox1);

  Edit1 = new QLineEdit(PaintBox1);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setFrame(false);
  Edit1->installEventFilter(this);
  Edit1->hide();
  EditBtn = new TvlSpeedButton(PaintBox1);
  EditBtn->setObjectName(QStringLiteral("EditBtn"));
  EditBtn->SetCaption(QStringLiteral("..."));
  EditBtn->OnClick = [this] { RunEditor(); };
  EditBtn->hide();
  ComboBtn = new TvlSpeedButton(PaintBox1);
  ComboBtn->setObjectName(QStringLiteral("ComboBtn"));
  ComboBtn->SetGlyph(ArrowGlyph());
  ComboBtn->OnClick = [this] { ToggleDropDown(); };
  ComboBtn->hide();

  popup_ = new TvlPopupListBox(this);
  popup_->setObjectName(QStringLiteral("PopupList"));
  popup_->OnPick = [this](int index) {
    Edit1->setText(popup_->ItemText(index));
    Commit();
  };

  for (int id = 58001; vlHasStr(id); ++id) {
    const std::string entry = vlLoadStr(id);
    const auto eq = entry.find('=');
    if (eq != std::string::npos && eq + 1 < entry.size()) aliases_.emplace_back(entry.substr(0, eq), entry.substr(eq + 1));
  }

  auto* grip = new QSizeGrip(this);
  grip->setObjectName(QStringLiteral("Grip"));
  grip->resize(12, 12);
  resize(200, 300);
  ExpandedHeight = height();
  LayoutControls();
}

TvlInspForm::~TvlInspForm() = default;

QRect TvlInspForm::CaptionRect() const { return vlToolCaptionRect(*this); }

QRect TvlInspForm::CloseButtonRect() const { return vlToolCloseBoxRect(*this); }

bool TvlInspForm::Collapsed() const { return height() <= 2 * kBorder + kCaptionHeight + 2; }

void TvlInspForm::ToggleCollapsed() {
  if (Collapsed()) {
    resize(width(), std::max(ExpandedHeight, 60));
  } else {
    ExpandedHeight = height();
    resize(width(), 2 * kBorder + kCaptionHeight);
  }
  LayoutControls();
  if (OnCollapse) OnCollapse();
}

void TvlInspForm::ShowInspector() {
  if (Collapsed()) ToggleCollapsed();
  vlShowAboveOwner(*this);
}

void TvlInspForm::SetSplitPos(int value) {
  splitPos_ = std::max(6, value);
  PlaceValueBox();
  PaintBox1->update();
}

void TvlInspForm::LayoutControls() {
  const bool open = !Collapsed();
  CB1->setVisible(open);
  Box->setVisible(open);
  if (auto* grip = findChild<QSizeGrip*>(QStringLiteral("Grip"))) {
    grip->setVisible(open);
    grip->move(width() - grip->width(), height() - grip->height());
    grip->raise();
  }
  const int top = kBorder + kCaptionHeight + 1;
  const int w = width() - 2 * kBorder;
  CB1->setGeometry(kBorder, top, w, 21);
  Box->setGeometry(kBorder, top + 22, w, std::max(0, height() - top - 22 - kBorder - 10));
  // The rows take the width left beside the scroll bar they will need.
  const int frame = 2 * Box->frameWidth();
  const int rows = RowCount() * rowHeight_;
  const bool bar = rows > Box->height() - frame;
  const int inner = std::max(20, Box->width() - frame - (bar ? Box->verticalScrollBar()->sizeHint().width() : 0));
  PaintBox1->resize(inner, std::max(rows, Box->height() - frame));
  PlaceValueBox();
}

// ---- Rows ----

void TvlInspForm::ClearRows() {
  popup_->hide();
  names_.clear();
  rows_.clear();
  itemIndex_ = -1;
  Edit1->hide();
  EditBtn->hide();
  ComboBtn->hide();
  PaintBox1->update();
}

void TvlInspForm::AddRow(const std::string& name, const std::string& value, std::function<void()> editor,
                         const TvlValue& enumValues, const std::vector<std::string>& enumNames,
                         std::uint16_t kinds) {
  auto row = std::make_unique<TProp>();
  row->Kind = kinds;
  row->Editor = std::move(editor);
  row->EnumNames = enumNames;
  row->EnumValues = enumValues;
  row->Text = vlInspectorDisplayText(value, *row);
  names_.push_back(name);
  rows_.push_back(std::move(row));
}

TvlValue TvlInspForm::GetRowValue(int index) const { return vlInspectorTypedValue(Row(index).Text, Row(index)); }

int TvlInspForm::RowIndexOf(const std::string& name) const {
  for (std::size_t i = 0; i < names_.size(); ++i)
    if (vlSameText(names_[i], name)) return static_cast<int>(i);
  return -1;
}

void TvlInspForm::Refresh() {
  // The name column is at least as wide as the longest name shown, so no
  // name is cut ("BottomMargin", "OnBeforePrint"); the splitter still moves.
  const QFontMetrics metrics(PaintBox1->font());
  int widest = 0;
  for (int i = 0; i < RowCount(); ++i)
    widest = std::max(widest, metrics.horizontalAdvance(vlToQt(ShownName(RowName(i)))));
  const int needed = std::min(widest + 8, std::max(20, PaintBox1->width() - 40));
  if (splitPos_ < needed) splitPos_ = needed;
  LayoutControls();
  const int remembered = RowIndexOf(lastProperty_);
  const std::string keep = lastProperty_;
  itemIndex_ = -1;
  SetItemIndex(remembered >= 0 ? remembered : 0);
  if (remembered < 0) lastProperty_ = keep;  // the property comes back when it is listed again
  // The name box lists the objects again once another object is shown.
  if (shownObject_ != ObjectName) {
    shownObject_ = ObjectName;
    const QSignalBlocker block(CB1);
    CB1->clear();
    if (!ObjectName.empty()) CB1->addItem(vlToQt(ObjectName));
  }
  CB1->FaceText = ObjectName.empty() ? QString() : vlToQt(ObjectName) + QStringLiteral(": ") + vlToQt(ClassName);
  CB1->update();
  PaintBox1->update();
}

std::string TvlInspForm::ShownName(const std::string& name) const {
  if (LocalizedNames)
    for (const auto& [property, alias] : aliases_)
      if (vlSameText(property, name)) return alias;
  return name;
}

QRect TvlInspForm::RowRect(int index) const { return QRect(0, index * rowHeight_, PaintBox1->width(), rowHeight_); }

void TvlInspForm::SetItemIndex(int index) {
  popup_->hide();
  if (index < 0 || index >= RowCount() || HideProperties) {
    itemIndex_ = -1;
    PlaceValueBox();
    return;
  }
  itemIndex_ = index;
  lastProperty_ = RowName(index);
  const TProp& row = Row(index);
  Edit1->setText(vlToQt(row.Text));
  Edit1->setReadOnly(row.ReadOnly());
  Edit1->setModified(false);
  PlaceValueBox();
  Edit1->selectAll();
  Box->ensureVisible(0, RowRect(index).center().y(), 0, rowHeight_);
  PaintBox1->update();
}

void TvlInspForm::PlaceValueBox() {
  if (itemIndex_ < 0 || itemIndex_ >= RowCount() || HideProperties) {
    Edit1->hide();
    EditBtn->hide();
    ComboBtn->hide();
    return;
  }
  const TProp& row = Row(itemIndex_);
  const QRect r = RowRect(itemIndex_);
  int right = r.right() - 1;
  auto placeButton = [&](TvlSpeedButton* button, bool shown) {
    button->setVisible(shown);
    if (!shown) return;
    button->setGeometry(right - kButtonWidth + 1, r.top() + 1, kButtonWidth, r.height() - 2);
    right -= kButtonWidth;
  };
  placeButton(EditBtn, static_cast<bool>(row.Editor));
  placeButton(ComboBtn, row.HasDropDown());
  const int left = splitPos_ + 2;
  Edit1->setGeometry(left, r.top() + 2, std::max(4, right - left + 1), r.height() - 3);
  Edit1->show();
}

void TvlInspForm::PaintRows(QPainter& p) {
  const TvlControlColors colors = TvlControlColors::Of(this);
  p.fillRect(PaintBox1->rect(), colors.Face);
  if (HideProperties) return;
  p.setFont(font());
  for (int i = 0; i < RowCount(); ++i) {
    const QRect r = RowRect(i);
    if (i == itemIndex_) {
      vlSunkenFrame(p, r.adjusted(0, 0, -1, -1), colors);
    } else {
      p.setPen(colors.Shadow);
      p.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
      p.drawLine(splitPos_ - 1, r.top(), splitPos_ - 1, r.bottom());
      p.setPen(colors.Highlight);
      p.drawLine(splitPos_, r.top(), splitPos_, r.bottom());
    }
    p.setPen(Qt::black);
    p.drawText(QRect(5, r.top(), std::max(0, splitPos_ - 6), r.height()), Qt::AlignVCenter | Qt::AlignLeft,
               vlToQt(ShownName(RowName(i))));
    if (i != itemIndex_) {
      p.setPen(QColor(0x00, 0x00, 0x80));  // navy
      p.drawText(QRect(splitPos_ + 2, r.top(), r.width() - splitPos_ - 2, r.height()),
                 Qt::AlignVCenter | Qt::AlignLeft, vlToQt(Row(i).Text));
    }
  }
}

// ---- Editing ----

void TvlInspForm::Commit() {
  if (itemIndex_ < 0 || itemIndex_ >= RowCount() || committing_ || HideProperties) return;
  committing_ = true;
  const int index = itemIndex_;
  const std::string text = vlFromQt(Edit1->text());
  if (!(text.empty() && vlSameText(RowName(index), "Name"))) rows_[static_cast<std::size_t>(index)]->Text = text;
  Edit1->setModified(false);
  if (OnModify) OnModify(index);
  committing_ = false;
  SetItemIndex(index < RowCount() ? index : 0);
}

void TvlInspForm::RunEditor() {
  if (itemIndex_ < 0 || itemIndex_ >= RowCount()) return;
  // The row list may be rebuilt by the editor: keep the callback alive.
  const std::function<void()> editor = Row(itemIndex_).Editor;
  if (editor) editor();
}

void TvlInspForm::DoubleAction() {
  if (itemIndex_ < 0 || itemIndex_ >= RowCount() || HideProperties) return;
  const TProp& row = Row(itemIndex_);
  if (row.Kind & ptHasEditor) {
    RunEditor();
    return;
  }
  if (row.Kind & ptColor) {
    std::uint32_t colour = 0;
    try {
      colour = static_cast<std::uint32_t>(vlValueToInteger(GetRowValue(itemIndex_)));
    } catch (const std::exception&) {
    }
    if (!ChooseColour() || !ChooseColour()(this, colour)) return;
    Edit1->setText(vlToQt(vlInspectorDisplayText(std::to_string(colour), row)));
  } else if (row.Kind & ptBoolean) {
    Edit1->setText(vlToQt(vlValueToBool(vlInspectorTypedValue(row.Text, row)) ? "False" : "True"));
  } else if ((row.Kind & ptEnum) && !row.EnumNames.empty()) {
    const auto& names = row.EnumNames;
    const auto it = std::find(names.begin(), names.end(), vlFromQt(Edit1->text()));
    const std::size_t next = it == names.end() ? 0 : static_cast<std::size_t>(it - names.begin() + 1) % names.size();
    Edit1->setText(vlToQt(names[next]));
  } else {
    return;
  }
  Commit();
}

void TvlInspForm::ToggleDropDown() {
  if (popup_->isVisible()) {
    popup_->hide();
    return;
  }
  if (itemIndex_ < 0 || itemIndex_ >= RowCount()) return;
  const TProp& row = Row(itemIndex_);
  QStringList items;
  if (row.Kind & ptBoolean) {
    items << QStringLiteral("False") << QStringLiteral("True");
  } else if (row.Kind & ptColor) {
    for (const TvlColourName& c : vlColourNames()) items << QString::fromLatin1(c.Name);
  } else if (row.Kind & ptEnum) {
    for (const std::string& n : row.EnumNames) items << vlToQt(n);
  }
  if (items.isEmpty()) return;
  popup_->setFont(font());
  popup_->SetItems(items);
  int widest = 0;
  const QFontMetrics metrics(popup_->ListBox()->font());
  for (const QString& s : items) widest = std::max(widest, metrics.horizontalAdvance(s));
  int width = widest + 8 + (items.size() > 8 ? 16 : 0);
  const QRect r = RowRect(itemIndex_);
  const int column = r.width() - splitPos_;
  QPoint at = PaintBox1->mapToGlobal(QPoint(splitPos_, r.bottom() + 1));
  if (width > column) at.setX(PaintBox1->mapToGlobal(QPoint(r.right() + 1 - width, 0)).x());
  popup_->Popup(at, width, std::min<int>(8, static_cast<int>(items.size())));
  popup_->SetItemIndex(static_cast<int>(items.indexOf(Edit1->text())));
}

bool TvlInspForm::EditKey(int key) {
  switch (key) {
    case Qt::Key_Escape:
      if (itemIndex_ >= 0) Edit1->setText(vlToQt(Row(itemIndex_).Text));
      Edit1->setModified(false);
      return true;
    case Qt::Key_Up:
    case Qt::Key_Down: {
      const int next = itemIndex_ + (key == Qt::Key_Up ? -1 : 1);
      if (next < 0 || next >= RowCount()) return true;
      if (Edit1->isModified()) Commit();
      SetItemIndex(next);
      return true;
    }
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // An editor row runs its editor, unless its text was typed into.
      if (Edit1->isModified())
        Commit();
      else if (itemIndex_ >= 0 && (Row(itemIndex_).Kind & ptHasEditor))
        RunEditor();
      Edit1->selectAll();
      return true;
    default:
      return false;
  }
}

void TvlInspForm::CommitPlainOnFocusLoss() {
  if (itemIndex_ < 0 || itemIndex_ >= RowCount() || !Edit1->isModified()) return;
  const TProp& row = Row(itemIndex_);
  if (row.HasDropDown() || (row.Kind & ptHasEditor)) return;
  Commit();
}

void TvlInspForm::RowPress(QPoint pos) {
  const int index = pos.y() / std::max(1, rowHeight_);
  if (index < 0 || index >= RowCount()) return;
  if (index != itemIndex_) {
    if (Edit1->isModified()) Commit();
    if (index >= RowCount()) return;
    SetItemIndex(index);
    selectedAt_ = NowMs();
  }
  Edit1->setFocus();
  Edit1->selectAll();
}

// ---- Events ----

bool TvlInspForm::eventFilter(QObject* watched, QEvent* event) {
  // Events come while the controls are still being made.
  if (!Edit1 || !popup_) return QWidget::eventFilter(watched, event);
  if (watched == PaintBox1) {
    switch (event->type()) {
      case QEvent::Paint: {
        QPainter p(PaintBox1);
        PaintRows(p);
        return true;
      }
      case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        if (mouse->button() != Qt::LeftButton || HideProperties) return true;
        if (std::abs(pos.x() - splitPos_) <= 2) {
          splitting_ = true;
          return true;
        }
        RowPress(pos);
        return true;
      }
      case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        if (splitting_) {
          SetSplitPos(std::min(pos.x(), PaintBox1->width() - 20));
          return true;
        }
        PaintBox1->setCursor(std::abs(pos.x() - splitPos_) <= 2 ? Qt::SplitHCursor : Qt::ArrowCursor);
        return true;
      }
      case QEvent::MouseButtonRelease:
        splitting_ = false;
        return true;
      default:
        break;
    }
  }
  if (watched == Edit1) {
    switch (event->type()) {
      case QEvent::KeyPress:
        if (EditKey(static_cast<QKeyEvent*>(event)->key())) return true;
        break;
      case QEvent::MouseButtonDblClick:
        DoubleAction();
        return true;
      case QEvent::MouseButtonPress:
        // A second click soon after the row was chosen counts as a double click.
        if (selectedAt_ != 0 && NowMs() - selectedAt_ <= QApplication::doubleClickInterval()) {
          selectedAt_ = 0;
          DoubleAction();
          return true;
        }
        selectedAt_ = 0;
        break;
      case QEvent::FocusOut:
        if (!popup_->isVisible()) CommitPlainOnFocusLoss();
        break;
      default:
        break;
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TvlInspForm::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const TvlControlColors colors = TvlControlColors::Of(this);
  p.fillRect(rect(), colors.Face);
  vlRaisedFrame(p, rect(), colors);
  vlPaintToolCaption(p, *this);
}

void TvlInspForm::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayoutControls();
}

void TvlInspForm::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  if (CloseButtonRect().contains(pos)) {
    hide();
    return;
  }
  if (CaptionRect().contains(pos)) {
    movingWindow_ = true;
    dragStart_ = event->globalPosition().toPoint() - this->pos();
  }
}

void TvlInspForm::mouseMoveEvent(QMouseEvent* event) {
  if (movingWindow_) move(event->globalPosition().toPoint() - dragStart_);
}

void TvlInspForm::mouseReleaseEvent(QMouseEvent*) { movingWindow_ = false; }

void TvlInspForm::mouseDoubleClickEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (CaptionRect().contains(pos) && !CloseButtonRect().contains(pos)) ToggleCollapsed();
}

void TvlInspForm::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  popup_->hide();
}

}  // namespace vl
