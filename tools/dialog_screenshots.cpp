// Shows the designer's small dialogs (page options, display format, band
// type, band data source, picture, object tag, restrictions, new template)
// on a sample page and saves their pictures as PNG, for the screenshots in
// docs/. Run it under a display (for example xvfb-run -a, or
// QT_QPA_PLATFORM=offscreen):
//   dialog_screenshots <output folder>

#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <cstdio>
#include <filesystem>

#include "designer/band_editor_forms.h"
#include "designer/band_types_form.h"
#include "designer/format_dialog.h"
#include "designer/object_attr_forms.h"
#include "designer/page_options_dialog.h"
#include "designer/picture_editor_form.h"
#include "designer/template_dialogs.h"
#include "engine/core/display_format.h"
#include "engine/model/page.h"
#include "engine/model/report.h"
#include "engine/model/views.h"
#include "platform/qt/qt_platform.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

namespace {

namespace fs = std::filesystem;

bool Save(QWidget& window, const fs::path& file) {
  window.show();
  QApplication::processEvents();
  const bool ok = window.grab().save(QString::fromStdString(file.string()), "PNG");
  if (!ok) std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
  window.hide();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dialog_screenshots <output folder>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  const fs::path out(argv[1]);
  bool ok = true;

  vl::TvlReport report;
  vl::TvlPage& page = *report.Pages.Add();
  page.Margins = {36, 36, 36, 36};
  page.Columns = 1;
  auto header = std::make_unique<vl::TvlBandView>();
  header->Name = "PageHeader1";
  header->FrameTyp = vl::btPageHeader;
  page.Objects.push_back(std::move(header));

  vl::TvlPgoptForm options(page, false);
  ok = Save(options, out / "page_options.png") && ok;
  options.Tabs()->setCurrentIndex(1);
  ok = Save(options, out / "page_options_margins.png") && ok;

  vl::TvlFmtForm format(vl::vlMakeFormat(vl::fcNumber, 1, 2, '.'), "");
  ok = Save(format, out / "format_dialog.png") && ok;

  vl::TvlBandTypesForm types(&page, false);
  ok = Save(types, out / "band_types.png") && ok;
  vl::TvlBandEditorForm source(report, "5");
  ok = Save(source, out / "band_data_source.png") && ok;
  vl::TvlGEditorForm picture(vl::TvlGraphic{});
  ok = Save(picture, out / "picture_editor.png") && ok;
  vl::TvlAttrEditorForm tag("[Date]", nullptr);
  ok = Save(tag, out / "object_tag.png") && ok;
  vl::TvlRestrictionsForm restrictions(vl::rsDontMove | vl::rsDontDelete);
  ok = Save(restrictions, out / "restrictions.png") && ok;
  vl::TvlTemplNewForm newTemplate;
  ok = Save(newTemplate, out / "new_template.png") && ok;
  return ok ? 0 : 1;
}
