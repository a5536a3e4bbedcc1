#include "controls/font_combo_box.h"

#include <QAbstractItemView>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPainter>
#include <QScreen>
#include <QTimer>
#include <algorithm>

#include "controls/edges.h"
#include "controls/font_preview.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"

namespace vl {
namespace {

constexpr int kNoIconIndent = 15;

// Rows of the font list: the TrueType mark, the name, and a line under the
// recent fonts; the highlighted row shows in the preview.
class TvlFontRowDelegate : public TvlComboRowDelegate {
 public:
  explicit TvlFontRowDelegate(TvlFontComboBox* box) : TvlComboRowDelegate(box), box_(box) {}

 protected:
  void PaintItem(QPainter& painter, const QRect& r, const QModelIndex& index, bool selected) const override {
    const QString name = index.data(Qt::DisplayRole).toString();
    int indent = kNoIconIndent;
    if (index.data(Qt::UserRole).toInt() & kTrueTypeFontType) {
      const QImage& icon = TvlFontComboBox::TrueTypeIcon();
      painter.drawImage(r.left() + 1, r.top() + (r.height() - icon.height()) / 2, icon);
      indent = icon.width();
    }
    painter.drawText(r.adjusted(indent + 2, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft | Qt::TextSingleLine, name);
    const int mru = box_->MRUCount();
    const QColor shadow = TvlControlColors::Of(box_).Shadow;
    if (mru > 0 && index.row() == mru - 1) painter.fillRect(QRect(r.left(), r.bottom() - 1, r.width(), 1), shadow);
    if (mru > 0 && index.row() == mru) painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), shadow);
    if (selected && box_->Preview()) box_->Preview()->ShowFont(name);
  }

 private:
  TvlFontComboBox* box_;
};

QImage MakeTrueTypeIcon() {
  // Two overlapping T's, the back one grey and the front one dark.
  QImage icon(15, 12, QImage::Format_ARGB32);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  auto letter = [&p](int x, int y, const QColor& colour) {
    p.fillRect(QRect(x, y, 8, 2), colour);
    p.fillRect(QRect(x + 3, y, 2, 9), colour);
    p.fillRect(QRect(x + 2, y + 8, 4, 1), colour);
  };
  letter(0, 0, QColor(0x80, 0x80, 0x80));
  letter(6, 3, QColor(0x10, 0x10, 0x10));
  return icon;
}

}  // namespace

TvlFontComboBox::TvlFontComboBox(QWidget* parent) : TvlCustomComboBox(parent) {
  setEditable(true);
  lineEdit()->setReadOnly(true);
  setItemDelegate(new TvlFontRowDelegate(this));
  SetEditOffset(16);
  SetDropDownCount(12);
  resize(150, height());
  preview_ = std::make_unique<TvlFontPreview>();
  connect(this, &QComboBox::activated, this, [this](int index) {
    if (updating_) return;
    if (closedUp_) Choose(index);
    if (OnClick) OnClick();
  });
  connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, this, [this] {
    if (populated_) Populate();
  });
}

TvlFontComboBox::~TvlFontComboBox() = default;

void TvlFontComboBox::SetShowMRU(bool value) { showMRU_ = value; }

void TvlFontComboBox::SetMRURegKey(const QString& key) {
  mruRegKey_ = key.isEmpty() ? QString::fromLatin1(kDefaultMRURegKey) : key;
}

const QImage& TvlFontComboBox::TrueTypeIcon() {
  static const QImage icon = MakeTrueTypeIcon();
  return icon;
}

int TvlFontComboBox::ItemHeight() const {
  const int text = fontMetrics().height(), icon = TrueTypeIcon().height();
  return icon >= text ? icon + 1 : text;
}

QString vlFamilyName(const QString& family) {
  // Qt tells families that several foundries make apart as "Name [FOUNDRY]";
  // a template stores the family's own name, and the list shows it once.
  const qsizetype open = family.lastIndexOf(QStringLiteral(" ["));
  if (open > 0 && family.endsWith(QLatin1Char(']'))) return family.left(open);
  return family;
}

int TvlFontComboBox::FontType(int index) const { return itemData(index, Qt::UserRole).toInt(); }

std::vector<TvlFontFace> TvlFontComboBox::InstalledFonts() const {
  // Printing uses the same font set as the screen, so the screen's fonts are
  // the printer's too.
  std::vector<TvlFontFace> faces;
  for (const QString& family : QFontDatabase::families())
    faces.push_back({vlFamilyName(family), QFontDatabase::isSmoothlyScalable(family) ? kTrueTypeFontType : kRasterFontType});
  return faces;
}

// The key as the store takes it: a leading backslash means from the root.
std::string TvlFontComboBox::StoreKey() const {
  QString key = mruRegKey_;
  while (key.startsWith('\\')) key.remove(0, 1);
  return vlFromQt(key);
}

void TvlFontComboBox::Populate() {
  updating_ = true;
  populated_ = true;
  const QString current = currentText();
  clear();
  mruCount_ = 0;
  std::vector<TvlFontFace> faces = FontSource ? FontSource() : InstalledFonts();
  std::stable_sort(faces.begin(), faces.end(), [](const TvlFontFace& a, const TvlFontFace& b) {
    return QString::compare(a.Name, b.Name, Qt::CaseInsensitive) < 0;
  });
  for (const TvlFontFace& face : faces)
    if (findText(face.Name, Qt::MatchFixedString) < 0) addItem(face.Name, face.Type);

  if (showMRU_) {
    TvlSettingsStore& store = *vlPlatform().Settings;
    const std::string key = StoreKey();
    for (int n = kMaxMRU - 1; n >= 0; --n) {
      const std::string font = "Font" + std::to_string(n), type = "FontType" + std::to_string(n);
      const QString name = vlToQt(store.ReadString(key, font, {}));
      if (!name.isEmpty() && findText(name, Qt::MatchFixedString) >= 0) {
        insertItem(0, name, store.ReadInteger(key, type, 0));
        ++mruCount_;
      } else {
        store.WriteString(key, font, {});
        store.WriteInteger(key, type, 0);
      }
    }
  }
  const int at = current.isEmpty() ? -1 : findText(current, Qt::MatchFixedString);
  setCurrentIndex(at >= 0 ? at : (count() > 0 ? 0 : -1));
  updating_ = false;
}

void TvlFontComboBox::Choose(int index) {
  if (!showMRU_ || index <= 0 || index >= count()) return;
  const QString name = itemText(index);
  const int type = FontType(index);
  const int first = findText(name, Qt::MatchFixedString);
  updating_ = true;
  if (first >= mruCount_) {
    insertItem(0, name, type);
    if (mruCount_ == kMaxMRU) removeItem(kMaxMRU);
    else ++mruCount_;
  } else {
    removeItem(first);
    insertItem(0, name, type);
  }
  setCurrentIndex(0);
  updating_ = false;
  WriteMRU();
}

void TvlFontComboBox::WriteMRU() {
  TvlSettingsStore& store = *vlPlatform().Settings;
  const std::string key = StoreKey();
  for (int n = 0; n < kMaxMRU; ++n) {
    const bool used = n < mruCount_;
    store.WriteString(key, "Font" + std::to_string(n), used ? vlFromQt(itemText(n)) : std::string());
    store.WriteInteger(key, "FontType" + std::to_string(n), used ? FontType(n) : 0);
  }
}

void TvlFontComboBox::showEvent(QShowEvent* event) {
  if (!populated_) Populate();
  TvlCustomComboBox::showEvent(event);
}

void TvlFontComboBox::showPopup() {
  if (!populated_) Populate();
  TvlCustomComboBox::showPopup();
  if (currentIndex() >= 0 && currentIndex() < kMaxMRU && count() > 0)
    view()->setCurrentIndex(model()->index(0, modelColumn(), rootModelIndex()));
  const QRect box(mapToGlobal(QPoint(0, 0)), size());
  const QRect screenArea = screen() ? screen()->geometry() : QRect(0, 0, 4096, 4096);
  preview_->PlaceBeside(box, DropsUpward(), screenArea);
  const QModelIndex highlighted = view()->currentIndex();
  if (highlighted.isValid()) preview_->ShowFont(highlighted.data(Qt::DisplayRole).toString());
  preview_->show();
  preview_->raise();
}

void TvlFontComboBox::hidePopup() {
  preview_->hide();
  // A pick from the list is reported right after the list closes.
  closedUp_ = true;
  QTimer::singleShot(0, this, [this] { closedUp_ = false; });
  TvlCustomComboBox::hidePopup();
}

void TvlFontComboBox::PaintEditOffset(QPainter& painter, const QRect& area) {
  if (currentIndex() < 0 || !(FontType(currentIndex()) & kTrueTypeFontType)) return;
  const QImage& icon = TrueTypeIcon();
  painter.drawImage(area.left() + 1, area.top() + (area.height() - icon.height()) / 2, icon);
}

}  // namespace vl
