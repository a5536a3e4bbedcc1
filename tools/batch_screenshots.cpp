// Pictures of a batch over an address list for docs/: the mapping dialog
// joining the columns of an address split over several (a shop export),
// and the summary of the envelopes with problems that comes before a batch
// prints. Run it under a display (xvfb-run -a) from the folder that holds
// Vlf/. The settings store is an in-memory one.
//   batch_screenshots <split.csv> <mapping.png> <batch.csv> <summary.png>

#include <QApplication>
#include <QPixmap>
#include <cstdio>

#include "app/address_mapping_dialog.h"
#include "app/batch_check_dialog.h"
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
    std::fprintf(stderr, "usage: batch_screenshots <split.csv> <mapping.png> <batch.csv> <summary.png>\n");
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

  // The dialog as the launcher would offer it for the split list: the
  // address joined from its columns, the first envelope below.
  std::unique_ptr<vl::TvlDataSource> source = vl::vlOpenDataSource(argv[1]);
  vl::TAddressMappingDialog mapping(argv[1], *source, vl::vlMatchAddressColumns(source->FieldNames()));
  mapping.move(40, 40);
  mapping.show();
  QApplication::processEvents();
  bool ok = mapping.grab().save(QString::fromLocal8Bit(argv[2]), "PNG");
  mapping.hide();

  // The summary for a list with bad rows, as the first template button shows it.
  vl::TFormMain formMain;
  if (!formMain.SetAddressList(argv[3])) return 1;
  bool shown = false;
  formMain.AskBatch = [&](const std::vector<vl::TvlEnvelopeProblem>& problems, int envelopes) {
    vl::TBatchCheckDialog summary(problems, envelopes, &formMain);
    summary.move(40, 40);
    summary.show();
    QApplication::processEvents();
    ok = summary.grab().save(QString::fromLocal8Bit(argv[4]), "PNG") && ok;
    shown = true;
    return vl::TBatchChoice::Cancel;
  };
  formMain.ActionExecute(1);
  return ok && shown ? 0 : 1;
}
