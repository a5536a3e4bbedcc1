#pragma once
// The small pictures of the print dialog, drawn in code on a transparent
// background: the printer before each printer name (18 x 16), and the
// collated (74 x 53) and uncollated (92 x 40) page stacks beside Collate.

#include <QPixmap>

namespace vl {

QPixmap vlPrinterPicture();
QPixmap vlCollatedPicture();
QPixmap vlUncollatedPicture();

}  // namespace vl
