// Draws the program's icon, the address side of an envelope with its stamp,
// as an SVG file and as PNG files in the icon theme's sizes. Both come from
// the one list of shapes below, so the sizes cannot drift apart.
//   make_icons <folder>   writes <folder>/hicolor/scalable/apps/NAME.svg and
//                         <folder>/hicolor/NxN/apps/NAME.png

#include <QColor>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr const char* kIconName = "example.vellora.Vellora";
constexpr int kGrid = 256;  // the shapes' coordinate space
const int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// A rounded rectangle (Radius >= 0) or a line with round caps (Radius < 0).
struct Shape {
  double X1, Y1, X2, Y2;  // rectangle: left, top, width, height; line: two points
  double Radius;
  const char* Fill;  // "none" for no fill
  const char* Stroke;
  double Width;
};

const std::vector<Shape> kShapes = {
    {16, 48, 224, 160, 18, "#fdfbf5", "#2f4a6d", 10},     // the envelope
    {170, 66, 50, 60, 4, "#d9482b", "#a8321c", 4},        // the stamp
    {182, 80, 26, 32, 2, "none", "#f6d5cc", 4},           // the stamp's printed frame
    {40, 80, 104, 80, -1, "none", "#8fa3bf", 8},          // the sender's lines
    {40, 100, 88, 100, -1, "none", "#8fa3bf", 8},
    {64, 140, 176, 140, -1, "none", "#2f4a6d", 12},       // the address lines
    {64, 164, 196, 164, -1, "none", "#2f4a6d", 12},
    {64, 188, 148, 188, -1, "none", "#2f4a6d", 12},
};

std::string Svg() {
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n";
  char line[256];
  for (const Shape& s : kShapes) {
    if (s.Radius >= 0)
      std::snprintf(line, sizeof line,
                    "  <rect x=\"%g\" y=\"%g\" width=\"%g\" height=\"%g\" rx=\"%g\" fill=\"%s\" stroke=\"%s\" "
                    "stroke-width=\"%g\"/>\n",
                    s.X1, s.Y1, s.X2, s.Y2, s.Radius, s.Fill, s.Stroke, s.Width);
    else
      std::snprintf(line, sizeof line,
                    "  <line x1=\"%g\" y1=\"%g\" x2=\"%g\" y2=\"%g\" stroke=\"%s\" stroke-width=\"%g\" "
                    "stroke-linecap=\"round\"/>\n",
                    s.X1, s.Y1, s.X2, s.Y2, s.Stroke, s.Width);
    svg += line;
  }
  return svg + "</svg>\n";
}

QImage Png(int size) {
  QImage image(size, size, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(double(size) / kGrid, double(size) / kGrid);
  for (const Shape& s : kShapes) {
    QPen pen{QColor(QString::fromLatin1(s.Stroke))};
    pen.setWidthF(s.Width);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
    if (s.Radius >= 0) {
      p.setBrush(std::string(s.Fill) == "none" ? QBrush(Qt::NoBrush) : QBrush(QColor(QString::fromLatin1(s.Fill))));
      p.drawRoundedRect(QRectF(s.X1, s.Y1, s.X2, s.Y2), s.Radius, s.Radius);
    } else {
      p.drawLine(QPointF(s.X1, s.Y1), QPointF(s.X2, s.Y2));
    }
  }
  return image;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_icons <folder>\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  namespace fs = std::filesystem;
  const fs::path root = fs::path(argv[1]) / "hicolor";
  fs::create_directories(root / "scalable" / "apps");
  std::ofstream(root / "scalable" / "apps" / (std::string(kIconName) + ".svg"), std::ios::binary) << Svg();
  for (int size : kSizes) {
    const fs::path dir = root / (std::to_string(size) + "x" + std::to_string(size)) / "apps";
    fs::create_directories(dir);
    const fs::path file = dir / (std::string(kIconName) + ".png");
    if (!Png(size).save(QString::fromStdString(file.string()), "PNG")) {
      std::fprintf(stderr, "make_icons: cannot write %s\n", file.c_str());
      return 1;
    }
  }
  return 0;
}
