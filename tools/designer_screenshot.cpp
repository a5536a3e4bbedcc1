// Opens the designer on envelope 1 exactly as the launcher's picture does and
// saves the window's picture as PNG, for the screenshot in docs/. Run it
// under a display (for example xvfb-run -a) from the folder that holds Vlf/.
//   designer_screenshot <output.png>

#include <QApplication>
#include <QCursor>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/engine_startup.h"
#include "app/main_form.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "engine/model/report.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: designer_screenshot <output.png>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  vl::vlStartEngine();
  // The window as it first opens, whatever an earlier run left in the settings.
  vl::TvlMemorySettingsStore settings;
  vl::vlInstallPlatform(vl::TvlPlatform{nullptr, &settings});
  QCursor::setPos(0, 0);
  vl::TFormMain formMain;
  formMain.vlReport1.LoadFromFile(vl::vlTemplatePath(1));
  int result = 1;
  // Once the designer is up: select one text, grab, close without saving.
  QTimer::singleShot(800, [&] {
    auto* designer = static_cast<vl::TvlDesignerForm*>(vl::vlCurrentDesigner());
    if (designer) {
      designer->showNormal();
      designer->resize(1000, 680);
      QApplication::processEvents();
      for (const auto& v : designer->Page->Objects)
        if (v->Typ == vl::otMemo) {
          designer->SelectObject(v->Name);
          break;
        }
      QApplication::processEvents();
      result = designer->grab().save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
      designer->done(2);
    }
  });
  formMain.Image1Click();
  return result;
}
