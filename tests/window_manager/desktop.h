#pragma once
// What the window manager of the private X display shows: the stacking order
// of the managed windows (xprop), the frame it drew around a window, and
// real pointer clicks (xdotool), which the window manager sees as a user's.

#include <gtest/gtest.h>

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <vector>

namespace vl::desktop {

// Client windows bottom to top, as the window manager stacks them.
inline std::vector<WId> StackingOrder() {
  QProcess xprop;
  xprop.start(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
  xprop.waitForFinished(5000);
  const QString out = QString::fromLatin1(xprop.readAllStandardOutput());
  std::vector<WId> ids;
  static const QRegularExpression id(QStringLiteral("0x[0-9a-fA-F]+"));
  for (auto m = id.globalMatch(out.section(QLatin1Char('#'), 1)); m.hasNext();)
    ids.push_back(m.next().captured().toULong(nullptr, 16));
  return ids;
}

// Whether upper is stacked above lower (both managed).
inline ::testing::AssertionResult StackedAbove(QWidget& upper, QWidget& lower) {
  const std::vector<WId> order = StackingOrder();
  const auto at = [&](QWidget& w) { return std::find(order.begin(), order.end(), w.winId()) - order.begin(); };
  const auto u = at(upper), l = at(lower), n = static_cast<long>(order.size());
  if (u < n && l < n && u > l) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << upper.objectName().toStdString() << " (" << u << ") is not above "
                                       << lower.objectName().toStdString() << " (" << l << ") of " << n;
}

// Lets the window manager and the program answer each other.
inline void Settle(int ms = 300) { QTest::qWait(ms); }

// Waits until the window is mapped and framed by the window manager.
inline bool WaitShown(QWidget& window) {
  return QTest::qWaitFor([&] { return window.windowHandle() && window.windowHandle()->isExposed(); }, 5000);
}

// A real click of the left button at a point of a widget (its centre by default).
inline void Click(QWidget& widget, QPoint at = {-1, -1}) {
  if (at.x() < 0) at = widget.rect().center();
  const QPoint global = widget.mapToGlobal(at);
  QProcess::execute(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(global.x()),
                                                QString::number(global.y()), QStringLiteral("click"),
                                                QStringLiteral("1")});
  Settle();
}

// The rectangle the window and its frame take on the screen.
inline bool OnScreen(const QWidget& window) {
  const QRect area = window.screen()->availableGeometry();
  return area.contains(window.frameGeometry());
}

}  // namespace vl::desktop
