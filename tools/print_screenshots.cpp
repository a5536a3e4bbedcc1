// Shows the print dialog and the progress window as a print shows them and
// saves their pictures as PNG, for the screenshots in docs/. Run it under a
// display (for example xvfb-run -a):
//   print_screenshots <print_dialog.png> <progress_window.png> [<feed_calibration.png> [<feed_test_page.png>]]

#include <QApplication>
#include <QComboBox>
#include <QTimer>
#include <cstdio>

#include "engine/core/string_table.h"
#include "engine/output/feed_test_page.h"
#include "viewer/feed_calibration_form.h"
#include "viewer/print_form.h"
#include "engine/printer/printer.h"
#include "platform/memory_printer.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/progress_form.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 5) {
    std::fprintf(stderr,
                 "usage: print_screenshots <print_dialog.png> <progress_window.png> [<feed_calibration.png> "
                 "[<feed_test_page.png>]]\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  // Printers held in memory, so the picture does not depend on the machine.
  static vl::TvlMemoryPrinter printers({vl::vlSampleLaserPrinter("Office laser"),
                                        vl::vlSampleLaserPrinter("Envelope printer")},
                                       1);
  // Settings held in memory too: the feed calibration shown is made up here.
  static vl::TvlMemorySettingsStore settings;
  vl::vlInstallPlatform(vl::TvlPlatform{nullptr, &settings, nullptr, &printers});
  vl::vlWriteFeedCalibration("Envelope printer", {15, -20, true});
  vl::vlResetPrinter(&printers);

  int result = 0;
  vl::TvlPrintForm form;
  vl::TvlPrintRequest request;
  request.Copies = 3;
  form.SetRequest(request);
  form.show();
  QTimer::singleShot(300, [&] {
    if (!form.grab().save(QString::fromLocal8Bit(argv[1]), "PNG")) result = 1;
    form.reject();
    vl::TvlProgressForm progress;
    progress.Run(
        vl::vlLoadStr(vl::str::kPreparingReport) + " - Envelopes", vl::vlLoadStr(vl::str::kPrintingPage),
        [&] {
          progress.SetFirstLabel(vl::vlLoadStr(vl::str::kPrintingPage) + "  3");
          for (int k = 0; k < 20; ++k) progress.ProcessEvents();
          if (!progress.grab().save(QString::fromLocal8Bit(argv[2]), "PNG")) result = 1;
          progress.Close(true);
        },
        {});
    if (argc >= 4) {
      vl::TvlFeedCalibrationForm feed;
      feed.show();
      for (int k = 0; k < 20; ++k) app.processEvents();
      if (!feed.grab().save(QString::fromLocal8Bit(argv[3]), "PNG")) result = 1;
    }
    if (argc == 5) {
      // The test sheet of a DL envelope (220 x 110 mm) at 96 dpi, shifted and turned.
      vl::TvlQtImageCanvas sheet(831, 416);
      vl::vlDrawFeedTestPage(sheet, {0, 0, 831, 416}, {15, -20, true}, "Envelope printer");
      if (!sheet.Image().save(QString::fromLocal8Bit(argv[4]), "PNG")) result = 1;
    }
    app.quit();
  });
  app.exec();
  return result;
}
