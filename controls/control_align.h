#pragma once
// Children aligned to the edges of their container, the way the designer's
// windows and toolbars lay out: top-aligned children stack down from the
// top, bottom-aligned up from the bottom, then left- and right-aligned ones
// fill the rest from the sides, and a client-aligned child takes what is
// left. Children of one alignment keep the order of their positions.

#include <QLayout>
#include <QRect>
#include <cstdint>
#include <vector>

class QWidget;

namespace vl {

enum class TvlAlign : std::uint8_t { None, Top, Bottom, Left, Right, Client };

// The alignment a widget carries (None unless set).
TvlAlign vlAlignOf(const QWidget* widget);
// Sets the alignment and asks the container to lay out again at once.
void vlSetAlign(QWidget* widget, TvlAlign align);

// Places the visible aligned widgets of the list inside client (coordinates
// of their parent). Top ones in order of their tops, bottom ones bottom-most
// first, left ones in order of their left edges, right ones right-most
// first; ties keep the list order. Aligned widgets keep their own thickness
// and take the client's length.
void vlAlignControls(const std::vector<QWidget*>& widgets, QRect client);

// A layout that aligns the widgets added to it by their alignment: the
// designer window's docks around its work area.
class TvlAlignLayout : public QLayout {
 public:
  explicit TvlAlignLayout(QWidget* parent);
  ~TvlAlignLayout() override;

  void addItem(QLayoutItem* item) override;
  QLayoutItem* itemAt(int index) const override;
  QLayoutItem* takeAt(int index) override;
  int count() const override;
  QSize sizeHint() const override;
  QSize minimumSize() const override;
  void setGeometry(const QRect& rect) override;

 private:
  std::vector<QLayoutItem*> items_;
};

}  // namespace vl
