// Draws the launcher's artwork, a small still life of envelope stationery
// (140 x 130), and writes it as a JPEG file through libjpeg.
//   make_artwork <output.jpg>
// Only shapes are drawn, no text, so the picture needs no fonts and comes out
// the same on every run.

#include <cstdio>  // jpeglib.h needs FILE declared first
#include <jpeglib.h>

#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <string>

namespace {

constexpr int kWidth = 140, kHeight = 130;
constexpr int kQuality = 92;

// The one call into libjpeg: baseline JFIF, RGB input, fixed quality.
bool WriteJpeg(const QImage& image, const std::string& path) {
  const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  jpeg_stdio_dest(&info, file);
  info.image_width = static_cast<JDIMENSION>(rgb.width());
  info.image_height = static_cast<JDIMENSION>(rgb.height());
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, kQuality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<JSAMPROW>(rgb.constScanLine(static_cast<int>(info.next_scanline)));
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return std::fclose(file) == 0;
}

// A soft shadow: a few widening translucent copies of the outline.
void DrawShadow(QPainter& p, const QRectF& r) {
  p.setPen(Qt::NoPen);
  for (int i = 3; i >= 1; --i) {
    p.setBrush(QColor(40, 50, 70, 18));
    p.drawRoundedRect(r.adjusted(-i + 2, -i + 3, i + 2, i + 3), 2 + i, 2 + i);
  }
}

// The kraft envelope behind, seen from the back with its flap.
void DrawBackEnvelope(QPainter& p) {
  p.save();
  p.translate(58, 78);
  p.rotate(-9);
  const QRectF body(-54, -34, 108, 68);
  DrawShadow(p, body);
  p.setPen(QPen(QColor(176, 140, 92), 1));
  p.setBrush(QColor(233, 210, 166));
  p.drawRect(body);
  // The side folds and the flap.
  p.setPen(QPen(QColor(196, 163, 116), 1));
  p.drawLine(QPointF(-54, 34), QPointF(-6, 2));
  p.drawLine(QPointF(54, 34), QPointF(6, 2));
  QPolygonF flap;
  flap << QPointF(-54, -34) << QPointF(0, 8) << QPointF(54, -34);
  p.setBrush(QColor(222, 194, 146));
  p.setPen(QPen(QColor(170, 132, 86), 1));
  p.drawPolygon(flap);
  // A red wax seal where the flap closes.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(168, 30, 38));
  p.drawEllipse(QPointF(0, 4), 6.5, 6.5);
  p.setBrush(QColor(204, 58, 62));
  p.drawEllipse(QPointF(-1, 3), 3.5, 3.5);
  p.restore();
}

// The airmail border: red and blue slanted stripes round the edge.
void DrawAirmailBorder(QPainter& p, const QRectF& r) {
  p.save();
  QPainterPath ring;
  ring.addRect(r);
  ring.addRect(r.adjusted(3, 3, -3, -3));
  p.setClipPath(ring);
  p.setPen(Qt::NoPen);
  const QColor red(206, 44, 52), blue(36, 74, 152);
  int k = 0;
  for (double x = r.left() - r.height(); x < r.right() + r.height(); x += 5, ++k) {
    if (k % 2 == 1) continue;
    QPolygonF stripe;
    stripe << QPointF(x, r.bottom()) << QPointF(x + 5, r.bottom()) << QPointF(x + 5 + r.height(), r.top())
           << QPointF(x + r.height(), r.top());
    p.setBrush((k / 2) % 2 ? blue : red);
    p.drawPolygon(stripe);
  }
  p.restore();
}

// The white envelope in front, address side up: postcode boxes, stamp,
// address lines and the sender's corner.
void DrawFrontEnvelope(QPainter& p) {
  p.save();
  p.translate(77, 56);
  p.rotate(5);
  const QRectF body(-56, -36, 112, 72);
  DrawShadow(p, body);
  p.setPen(QPen(QColor(170, 176, 186), 1));
  p.setBrush(QColor(255, 254, 250));
  p.drawRect(body);
  DrawAirmailBorder(p, body);

  // Six postcode boxes at the top left.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(214, 52, 52), 1));
  for (int i = 0; i < 6; ++i) p.drawRect(QRectF(-50 + i * 9, -30, 7, 8));

  // The stamp: perforated edge, a small landscape inside.
  const QRectF stamp(32, -31, 18, 21);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(250, 246, 236));
  p.drawRect(stamp);
  p.setBrush(QColor(255, 254, 250));
  for (int i = 0; i <= 6; ++i) {
    p.drawEllipse(QPointF(stamp.left() + i * 3, stamp.top()), 1.0, 1.0);
    p.drawEllipse(QPointF(stamp.left() + i * 3, stamp.bottom()), 1.0, 1.0);
  }
  for (int i = 0; i <= 7; ++i) {
    p.drawEllipse(QPointF(stamp.left(), stamp.top() + i * 3), 1.0, 1.0);
    p.drawEllipse(QPointF(stamp.right(), stamp.top() + i * 3), 1.0, 1.0);
  }
  const QRectF picture = stamp.adjusted(3, 3, -3, -3);
  QLinearGradient sky(picture.topLeft(), picture.bottomLeft());
  sky.setColorAt(0, QColor(120, 178, 226));
  sky.setColorAt(1, QColor(208, 232, 246));
  p.setBrush(sky);
  p.drawRect(picture);
  QPolygonF hill;
  hill << QPointF(picture.left(), picture.bottom()) << QPointF(picture.left() + 5, picture.top() + 7)
       << QPointF(picture.left() + 8, picture.top() + 10) << QPointF(picture.left() + 10, picture.top() + 5)
       << QPointF(picture.right(), picture.bottom());
  p.setBrush(QColor(62, 136, 84));
  p.drawPolygon(hill);
  p.setBrush(QColor(236, 90, 60));
  p.drawEllipse(QPointF(picture.left() + 3.5, picture.top() + 3.5), 1.8, 1.8);
  // The postmark across the stamp's corner.
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(QColor(60, 60, 72, 150), 0.8));
  p.drawEllipse(QPointF(28, -14), 7, 7);
  for (int i = 0; i < 3; ++i) p.drawLine(QPointF(36, -16 + i * 3), QPointF(47, -16 + i * 3));

  // The recipient's address and name lines.
  p.setPen(QPen(QColor(132, 140, 156), 1));
  p.drawLine(QPointF(-40, -6), QPointF(38, -6));
  p.drawLine(QPointF(-40, 4), QPointF(38, 4));
  p.setPen(QPen(QColor(40, 48, 64), 2.2));
  p.drawLine(QPointF(-18, 15), QPointF(16, 15));

  // The sender's corner: a short line and a small postcode row.
  p.setPen(QPen(QColor(150, 156, 170), 1));
  p.drawLine(QPointF(8, 24), QPointF(48, 24));
  p.setPen(QPen(QColor(214, 52, 52), 0.8));
  for (int i = 0; i < 6; ++i) p.drawRect(QRectF(22 + i * 4.4, 27, 3.4, 4));
  p.restore();
}

// A fountain pen lying across the lower right corner.
void DrawPen(QPainter& p) {
  p.save();
  p.translate(104, 106);
  p.rotate(-32);
  DrawShadow(p, QRectF(-30, -3.5, 52, 7));
  QLinearGradient barrel(QPointF(0, -3.5), QPointF(0, 3.5));
  barrel.setColorAt(0, QColor(70, 84, 120));
  barrel.setColorAt(0.4, QColor(30, 38, 64));
  barrel.setColorAt(1, QColor(14, 18, 34));
  p.setPen(Qt::NoPen);
  p.setBrush(barrel);
  p.drawRoundedRect(QRectF(-30, -3.5, 44, 7), 3, 3);
  p.setBrush(QColor(214, 176, 84));
  p.drawRect(QRectF(-2, -3.5, 2.5, 7));
  p.drawRect(QRectF(-24, -3.9, 14, 1.6));
  QPolygonF nib;
  nib << QPointF(14, -3) << QPointF(26, 0) << QPointF(14, 3);
  p.setBrush(QColor(226, 196, 112));
  p.drawPolygon(nib);
  p.setPen(QPen(QColor(120, 96, 40), 0.6));
  p.drawLine(QPointF(17, 0), QPointF(25, 0));
  p.restore();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_artwork <output.jpg>\n");
    return 2;
  }
  QImage image(kWidth, kHeight, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient desk(QPointF(0, 0), QPointF(0, kHeight));
  desk.setColorAt(0, QColor(250, 251, 253));
  desk.setColorAt(1, QColor(226, 234, 244));
  p.fillRect(image.rect(), desk);
  DrawBackEnvelope(p);
  DrawFrontEnvelope(p);
  DrawPen(p);
  p.end();
  if (!WriteJpeg(image, argv[1])) {
    std::fprintf(stderr, "make_artwork: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
