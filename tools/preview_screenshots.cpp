// Shows the preview as the program does and saves its pictures as PNG, for
// the screenshots in docs/: envelope 1 prepared from Vlf/1.vlf at whole-page
// zoom, and a long list at page width. Run it under a display (for example
// xvfb-run -a) from the folder that holds Vlf/.
//   preview_screenshots <envelope.png> <list.png> [<find.png> <help.png>]

#include <QApplication>
#include <QCursor>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/engine_startup.h"
#include "engine/model/report.h"
#include "engine/output/preview_layout.h"
#include "viewer/help_window.h"
#include "viewer/preview_form.h"
#include "viewer/preview_search_form.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"
#include "tools/desk_printer.h"
#include "tests/output/preview_fixture.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

namespace {

// A price list of 60 pages, 40 rows each.
void BuildList(vl::TvlReport& report) {
  const char* items[] = {"Envelope DL, white", "Envelope C5, kraft", "Envelope C6, window", "Label sheet A4",
                         "Envelope No. 10", "Gift envelope, red"};
  int row = 0;
  for (int page = 0; page < 60; ++page) {
    std::vector<vl::testing::PageText> texts;
    texts.push_back(vl::testing::Text("Title", "Price list, page " + std::to_string(page + 1), 40, 30));
    for (int k = 0; k < 40; ++k, ++row) {
      const int top = 80 + k * 24;
      texts.push_back(vl::testing::Text("Code", std::to_string(10001 + row), 40, top));
      texts.push_back(vl::testing::Text("Item", items[row % 6], 140, top));
      texts.push_back(vl::testing::Text("Price", std::to_string(2 + row % 17) + "." + std::to_string(10 + row % 90), 520, top));
    }
    vl::testing::AddPage(report.EMFPages, {757, 1070}, texts);
  }
}

bool Shoot(vl::TvlReport& report, int mode, const char* file) {
  vl::vlSharedPreviewZoom() = {1.0, mode};
  report.ModalPreview = false;
  vl::TvlPreviewForm form;
  form.setWindowTitle(QStringLiteral("Preview"));
  form.Connect(report);
  form.SetUp();
  form.ResetView(true);
  form.resize(900, 640);
  form.show();
  for (int k = 0; k < 20; ++k) QApplication::processEvents();
  form.ResetView(true);
  for (int k = 0; k < 20; ++k) QApplication::processEvents();
  const bool saved = form.grab().save(QString::fromLocal8Bit(file), "PNG");
  form.Disconnect();
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 5) {
    std::fprintf(stderr, "usage: preview_screenshots <envelope.png> <list.png> [<find.png> <help.png>]\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  vl::vlStartEngine();
  QCursor::setPos(0, 0);
  vl::vlInstallDeskPrinter();
  int result = 0;
  QTimer::singleShot(0, [&] {
    vl::TvlReport envelope;
    envelope.ShowProgress = false;
    envelope.PreviewButtons = vl::pbZoom | vl::pbLoad | vl::pbSave | vl::pbPrint | vl::pbFind | vl::pbHelp | vl::pbExit;
    if (!envelope.LoadFromFile("Vlf/1.vlf") || !envelope.Prepare() || !Shoot(envelope, vl::zmWholePage, argv[1]))
      result = 1;
    vl::TvlReport list;
    list.PreviewButtons = envelope.PreviewButtons;
    BuildList(list);
    if (!Shoot(list, vl::zmPageWidth, argv[2])) result = 1;
    if (argc == 5) {
      vl::TvlPreviewSearchForm find;
      find.show();
      for (int k = 0; k < 20; ++k) QApplication::processEvents();
      if (!find.grab().save(QString::fromLocal8Bit(argv[3]), "PNG")) result = 1;
      vl::vlQtHelpViewer().ShowHelp(vl::kPreviewHelpFile, 207);
      for (int k = 0; k < 20; ++k) QApplication::processEvents();
      if (!vl::vlHelpWindow() || !vl::vlHelpWindow()->grab().save(QString::fromLocal8Bit(argv[4]), "PNG")) result = 1;
    }
    app.quit();
  });
  app.exec();
  return result;
}
