#pragma once
// The font name box: every installed font, with the five most recently
// chosen fonts at the top of the list (kept in the user settings store), a
// TrueType mark beside each outline font and a preview of the highlighted
// font beside the dropped list.

#include <QImage>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "controls/flat_combo_box.h"

namespace vl {

class TvlFontPreview;

// Font type bits as the list keeps them.
inline constexpr int kRasterFontType = 1;
inline constexpr int kTrueTypeFontType = 4;

struct TvlFontFace {
  QString Name;
  int Type = 0;
};

// A family as Qt lists it, without the foundry tag ("C059 [UKWN]" gives "C059").
QString vlFamilyName(const QString& family);

class TvlFontComboBox : public TvlCustomComboBox {
 public:
  explicit TvlFontComboBox(QWidget* parent = nullptr);
  ~TvlFontComboBox() override;

  static constexpr int kMaxMRU = 5;
  static constexpr const char* kDefaultMRURegKey = "\\Software\\Vellora\\MRUFont";

  bool ShowMRU() const { return showMRU_; }
  void SetShowMRU(bool value);
  // The key of the recent fonts ("Font0".."Font4" names, "FontType0"..
  // "FontType4" types, newest at 0); an empty key restores the default.
  QString MRURegKey() const { return mruRegKey_; }
  void SetMRURegKey(const QString& key);

  // Rebuilds the list: the fonts sorted by name, then the recent fonts that
  // are still installed at the top (names that are gone are cleared from the
  // store). Runs on the first show, when the installed fonts change, and on
  // request.
  void Populate();
  // Number of recent fonts at the top of the list.
  int MRUCount() const { return mruCount_; }
  int FontType(int index) const;
  TvlFontPreview* Preview() const { return preview_.get(); }
  // The fonts to list; the installed fonts unless set.
  std::function<std::vector<TvlFontFace>()> FontSource;
  // Raised when the user picks a font (not while the list is rebuilt).
  std::function<void()> OnClick;

  int ItemHeight() const override;
  void showPopup() override;
  void hidePopup() override;

  // The TrueType mark.
  static const QImage& TrueTypeIcon();

 protected:
  void showEvent(QShowEvent* event) override;
  void PaintEditOffset(QPainter& painter, const QRect& area) override;

 private:
  std::vector<TvlFontFace> InstalledFonts() const;
  std::string StoreKey() const;
  // A font chosen from the list at index: it becomes the newest recent font.
  void Choose(int index);
  void WriteMRU();

  bool showMRU_ = true;
  QString mruRegKey_ = QString::fromLatin1(kDefaultMRURegKey);
  int mruCount_ = 0;
  bool updating_ = false;
  bool populated_ = false;
  bool closedUp_ = false;
  std::unique_ptr<TvlFontPreview> preview_;
};

}  // namespace vl
