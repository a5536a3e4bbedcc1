// Shows the "Data sources…" dialog on a list report's own CSV source, and the
// designer with that source attached (its fields laid out by Insert DB
// fields, the DB fields window listing them), and saves both pictures as
// PNG, for the screenshots in docs/. Run it under a display (for example
// xvfb-run -a):
//   data_sources_screenshots <output folder>

#include <QApplication>
#include <QListWidget>
#include <QPainter>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/engine_startup.h"
#include "engine/model/report_data_sources.h"
#include "designer/data_sources_form.h"
#include "designer/designer_form.h"
#include "designer/designer_install.h"
#include "designer/insert_fields_layout.h"
#include "designer/db_fields_window.h"
#include "designer/insert_fields_dialog.h"
#include "designer/report_designer.h"
#include "engine/data/dataset_names.h"
#include "engine/data/db_dataset.h"
#include "engine/data/named_list.h"
#include "engine/model/report.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

namespace {

namespace fs = std::filesystem;

bool Save(const QImage& picture, const fs::path& file) {
  const bool ok = picture.save(QString::fromStdString(file.string()), "PNG");
  if (!ok) std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: data_sources_screenshots <output folder>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  vl::vlStartEngine();
  vl::TvlMemorySettingsStore settings;
  vl::vlInstallPlatform(vl::TvlPlatform{nullptr, &settings});
  vl::vlInstallDesigner();
  const fs::path out(argv[1]);
  const fs::path data = fs::temp_directory_path() / "vellora_data_sources_screenshots";
  fs::create_directories(data);
  std::ofstream(data / "customers.csv") << "Name,City,Zip,Amount\n"
                                           "Ann Smith,Warsaw,00-950,120\n"
                                           "Bob Jones,Oslo,0150,80\n"
                                           "Cy Young,Lisbon,1100-148,45\n"
                                           "Dee Brown,Prague,110 00,230\n";

  vl::TvlForm owner("FormMain");
  vl::TvlReport report;
  report.Owner = &owner;
  report.Pages.Add()->Name = "Page1";
  vlDataSourcesOf(report).Set({"Customers", (data / "customers.csv").string(), ""});
  int result = 1;
  QTimer::singleShot(800, [&] {
    auto* designer = dynamic_cast<vl::TvlDesignerForm*>(vl::vlCurrentDesigner());
    if (!designer) return;
    designer->showNormal();
    designer->resize(1000, 680);
    QApplication::processEvents();
    // The dialog, its source chosen and previewed.
    QTimer::singleShot(300, [&] {
      if (auto* dialog = dynamic_cast<vl::TvlDataSourcesForm*>(QApplication::activeModalWidget())) {
        dialog->resize(720, 360);
        dialog->ListL->setCurrentRow(0);
        QApplication::processEvents();
        result = Save(dialog->grab().toImage(), out / "data_sources_dialog.png") ? 0 : 1;
        dialog->reject();
      }
    });
    designer->Command("DataSources")->trigger();
    // Its fields laid out with a data band, and the DB fields window beside.
    vl::TvlInsertFieldsChoice choice;
    choice.DataSet = vl::vlSourceOf(vl::vlFindComponentPath("Customers", &owner));
    choice.DataSetText = "Customers";
    choice.Fields = {"Name", "City", "Zip", "Amount"};
    choice.Selected = {true, true, true, true};
    choice.Horizontal = true;
    choice.Headers = true;
    choice.Bands = true;
    vl::vlLayOutFields(*designer, choice);
    designer->ClearSelection();
    designer->SelectionChanged();
    vl::TvlInsFieldsForm* fields = vl::TvlInsFieldsForm::Open(designer, report);
    fields->move(designer->geometry().right() - fields->width() - 20, designer->geometry().top() + 120);
    QApplication::processEvents();
    const QRect area = designer->geometry() | fields->geometry();
    QImage both(area.size(), QImage::Format_RGB32);
    both.fill(Qt::darkGray);
    QPainter p(&both);
    p.drawImage(designer->geometry().topLeft() - area.topLeft(), designer->grab().toImage());
    p.drawImage(fields->geometry().topLeft() - area.topLeft(), fields->grab().toImage());
    p.end();
    if (!Save(both, out / "designer_data_source.png")) result = 1;
    designer->SetModified(false);
    designer->done(2);
  });
  report.DesignReport();
  return result;
}
