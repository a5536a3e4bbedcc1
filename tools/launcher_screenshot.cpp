// Starts the launcher exactly as the program does and saves the window's
// picture as PNG, for the screenshot in docs/. Run it under a display
// (for example xvfb-run -a) from the folder that holds Vlf/.
//   launcher_screenshot <output.png>

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/engine_startup.h"
#include "app/main_form.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: launcher_screenshot <output.png>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  vl::vlStartEngine();
  // The pointer starts in the middle of the screen, over a button; move it
  // away so the picture shows the window at rest.
  QCursor::setPos(0, 0);
  vl::TFormMain formMain;
  formMain.show();
  int result = 1;
  // Grab once the window has been shown and painted.
  QTimer::singleShot(500, [&] {
    result = formMain.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
    app.quit();
  });
  app.exec();
  return result;
}
