// Pictures of the recipient form for docs/: the form filled in as a user
// does, offered by the first template button, and the preview of the
// envelope it addressed. Run it under a display (xvfb-run -a) from the
// folder that holds Vlf/. The settings store is an in-memory one, so the
// user's own settings are neither read nor changed.
//   recipient_screenshots <form.png> <preview.png>

#include <QApplication>
#include <QCursor>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>

#include "app/engine_startup.h"
#include "app/main_form.h"
#include "engine/output/preview_layout.h"
#include "viewer/engine_windows.h"
#include "viewer/preview_form.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"
#include "tools/desk_printer.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

namespace {

void Settle() {
  for (int k = 0; k < 20; ++k) QApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: recipient_screenshots <form.png> <preview.png>\n");
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
  vl::vlInstallEngineWindows();
  vl::vlInstallDeskPrinter();
  QCursor::setPos(0, 0);

  vl::TFormMain formMain;
  formMain.vlReport1.ShowProgress = false;
  formMain.move(40, 40);
  formMain.show();
  bool ok = true;
  // The preview is modal: take its picture once it is open, then close it.
  const auto shootPreview = [&ok, argv] {
    auto* preview = dynamic_cast<vl::TvlPreviewForm*>(QApplication::activeModalWidget());
    if (!preview) {
      ok = false;
      return;
    }
    preview->resize(820, 500);
    Settle();
    preview->ResetView(true);
    Settle();
    ok = preview->grab().save(QString::fromLocal8Bit(argv[2]), "PNG") && ok;
    preview->CloseWindow();
  };
  formMain.ExecRecipientForm = [&ok, argv, shootPreview](vl::TRecipientForm& form) {
    form.RecipientName->setText(QStringLiteral("张三"));
    form.RecipientAddress->setPlainText(QStringLiteral("广东省深圳市南山区\n科技园路1号 Science Park Rd 1"));
    form.RecipientPostcode->setText(QStringLiteral("518057"));
    form.SenderAddress->setText(QStringLiteral("北京市海淀区中关村大街1号"));
    form.SenderPostcode->setText(QStringLiteral("100080"));
    form.show();
    Settle();
    ok = form.grab().save(QString::fromLocal8Bit(argv[1]), "PNG") && ok;
    form.hide();
    // Runs in the preview's own loop, once it shows the envelope.
    QTimer::singleShot(0, shootPreview);
    return true;
  };
  vl::vlSharedPreviewZoom() = {1.0, vl::zmWholePage};
  QTimer::singleShot(0, [&] {
    formMain.SpeedButton1->Click();
    app.quit();
  });
  app.exec();
  return ok ? 0 : 1;
}
