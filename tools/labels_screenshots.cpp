// Pictures of address labels for docs/: the labels window as a user fills
// it in over the sample address list (a sheet of 21 labels from label 3),
// and the preview of the sheet it prepares. Run it under a display
// (xvfb-run -a) from the folder that holds Vlf/. The settings store is an
// in-memory one, so the user's own settings are neither read nor changed.
// The windows speak the environment's language (LANG=zh_CN.UTF-8: Chinese).
//   labels_screenshots <addresses.csv> <window.png> <preview.png>

#include <QApplication>
#include <QComboBox>
#include <QSpinBox>
#include <QTimer>
#include <cstdio>
#include <functional>

#include "app/launcher_labels.h"
#include "app/main_form.h"
#include "engine/output/preview_layout.h"
#include "tools/screenshot_session.h"
#include "viewer/preview_form.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: labels_screenshots <addresses.csv> <window.png> <preview.png>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::TScreenshotSession session;

  vl::TFormMain formMain;
  formMain.vlReport1.ShowProgress = false;
  formMain.move(40, 40);
  formMain.show();
  if (!formMain.SetAddressList(argv[1])) return 1;
  bool ok = true;
  // The preview is modal: take its picture once it is open (preparing may
  // run the event loop before it opens), then close it.
  std::function<void()> shootPreview;
  int tries = 0;
  shootPreview = [&] {
    auto* preview = dynamic_cast<vl::TvlPreviewForm*>(QApplication::activeModalWidget());
    if (!preview) {
      if (++tries < 100) QTimer::singleShot(100, shootPreview);
      else ok = false;
      return;
    }
    preview->resize(820, 620);
    vl::vlSettle();
    preview->ResetView(true);
    vl::vlSettle();
    ok = preview->grab().save(QString::fromLocal8Bit(argv[3]), "PNG") && ok;
    preview->CloseWindow();
  };
  formMain.ExecLabelsWindow = [&](vl::TLabelsWindow& window) {
    window.SheetBox->setCurrentText(QStringLiteral("Avery L7160 (A4, 3 x 7)"));
    window.StartBox->setValue(3);
    window.show();
    vl::vlSettle();
    ok = window.grab().save(QString::fromLocal8Bit(argv[2]), "PNG") && ok;
    window.hide();
    QTimer::singleShot(0, shootPreview);
    return true;
  };
  vl::vlSharedPreviewZoom() = {1.0, vl::zmWholePage};
  QTimer::singleShot(0, [&] {
    vl::vlAddressLabels(formMain);
    app.quit();
  });
  app.exec();
  return ok ? 0 : 1;
}
