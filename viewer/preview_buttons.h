#pragma once
// The preview toolbar's flat buttons (the designer controls' speed buttons):
// a caption or a glyph, the greyed look until the mouse is over them, and a
// click. The window keeps them as plain widgets.

#include <QImage>
#include <QString>
#include <functional>

class QWidget;

namespace vl {

QWidget* vlCreatePreviewButton(QWidget* parent, const QString& caption, const QImage& glyph, int width,
                               std::function<void()> onClick);
void vlSetPreviewButtonGrayed(QWidget* button, bool grayed);
bool vlPreviewButtonGrayed(const QWidget* button);
// Clicks the button as the mouse would (nothing when it is disabled).
void vlClickPreviewButton(QWidget* button);
void vlSetPreviewButtonCaption(QWidget* button, const QString& caption);
QString vlPreviewButtonCaption(const QWidget* button);

}  // namespace vl
