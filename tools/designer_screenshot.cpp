// Opens the designer on envelope 1 exactly as the launcher's picture does and
// saves the window's picture as PNG, for the screenshot in docs/. Run it
// under a display (for example xvfb-run -a) from the folder that holds Vlf/.
//   designer_screenshot <output.png> [--inspector]
// With --inspector the picture shows the object inspector window where it
// stands beside the design surface, with the selected text's properties.

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QTimer>
#include <cstdio>
#include <string>

#include "app/engine_startup.h"
#include "app/main_form.h"
#include "designer/design_surface.h"
#include "designer/designer_form.h"
#include "designer/inspector_window.h"
#include "designer/object_inspector.h"
#include "engine/model/report.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

int main(int argc, char** argv) {
  const bool withInspector = argc == 3 && std::string(argv[2]) == "--inspector";
  if (argc != 2 && !withInspector) {
    std::fprintf(stderr, "usage: designer_screenshot <output.png> [--inspector]\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
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
      QImage picture = designer->grab().toImage();
      vl::TvlObjectInspector* inspector = vl::vlObjectInspector(*designer);
      if (withInspector && inspector && inspector->Form()) {
        // The two windows as they stand on the screen, in one picture.
        vl::TvlInspForm& form = *inspector->Form();
        form.ShowInspector();
        QApplication::processEvents();
        const QRect area = designer->geometry() | form.geometry();
        QImage both(area.size(), QImage::Format_RGB32);
        both.fill(Qt::darkGray);
        QPainter p(&both);
        p.drawImage(designer->geometry().topLeft() - area.topLeft(), picture);
        p.drawImage(form.geometry().topLeft() - area.topLeft(), form.grab().toImage());
        p.end();
        picture = both;
      }
      result = picture.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
      designer->done(2);
    }
  });
  formMain.Image1Click();
  return result;
}
