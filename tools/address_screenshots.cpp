// Pictures of the address list for docs/: the launcher with a list in force
// (its tooltip over the first template button, which names the list) and
// the mapping dialog for a list whose columns do not tell. Run it under a
// display (xvfb-run -a) from the folder that holds Vlf/. The settings store
// is an in-memory one, so the user's own settings are neither read nor
// changed.
//   address_screenshots <list.csv> <launcher.png> <mapping.csv> <mapping.png>

#include <QApplication>
#include <QCursor>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWidget>
#include <cstdio>

#include "app/address_mapping_dialog.h"
#include "app/engine_startup.h"
#include "app/main_form.h"
#include "engine/data/open_data_source.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

int main(int argc, char** argv) {
  if (argc != 5) {
    std::fprintf(stderr, "usage: address_screenshots <list> <launcher.png> <mapping list> <mapping.png>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  vl::TvlMemorySettingsStore settings;
  vl::vlInstallPlatform(vl::TvlPlatform{nullptr, &settings, nullptr, nullptr});
  vl::vlStartEngine();

  vl::TFormMain formMain;
  formMain.move(40, 40);
  formMain.show();
  if (!formMain.SetAddressList(argv[1])) return 1;
  int result = 1;
  // The tooltip of the first template button, as the pointer rests on it.
  QTimer::singleShot(300, [&] {
    const QPoint at = formMain.SpeedButton1->mapToGlobal(QPoint(50, 30));
    QCursor::setPos(at);
    QToolTip::showText(at, formMain.SpeedButton1->toolTip(), formMain.SpeedButton1);
  });
  QTimer::singleShot(900, [&] {
    // The window and the tooltip over a plain background, as a desktop shows them.
    QRect area = formMain.geometry();
    QWidget* tip = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible() && w->inherits("QTipLabel")) tip = w;
    if (tip) area = area.united(tip->geometry());
    area.adjust(-12, -12, 12, 12);
    QPixmap shot(area.size());
    shot.fill(QColor(0x3A, 0x5F, 0x8A));
    QPainter painter(&shot);
    painter.drawPixmap(formMain.geometry().topLeft() - area.topLeft(), formMain.grab());
    if (tip) painter.drawPixmap(tip->geometry().topLeft() - area.topLeft(), tip->grab());
    painter.end();
    bool ok = shot.save(QString::fromLocal8Bit(argv[2]), "PNG");

    std::unique_ptr<vl::TvlDataSource> source = vl::vlOpenDataSource(argv[3]);
    vl::TAddressMappingDialog dialog(argv[3], *source, vl::vlMatchAddressColumns(source->FieldNames()));
    dialog.show();
    QApplication::processEvents();
    ok = dialog.grab().save(QString::fromLocal8Bit(argv[4]), "PNG") && ok;
    result = ok ? 0 : 1;
    app.quit();
  });
  app.exec();
  return result;
}
