// Shows the dictionary editor (its variables and field aliases tabs), the
// expression builder and its choosers, the DB fields window and the insert-fields dialog on a
// small sample report and saves their pictures as PNG, for the screenshots
// in docs/. Run it under a display (for example xvfb-run -a):
//   dictionary_screenshots <output folder>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "designer/chooser_list.h"
#include "designer/dict_alias_tab.h"
#include "designer/dict_form.h"
#include "designer/expr_form.h"
#include "designer/func_arg_form.h"
#include "designer/func_form.h"
#include "designer/db_fields_window.h"
#include "designer/insert_fields_dialog.h"
#include "designer/var_form.h"
#include "engine/data/components.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/model/report.h"
#include "engine/binding/standard_library.h"
#include "engine/script/function_library.h"
#include "platform/qt/qt_platform.h"
#include "platform/qt/qt_text.h"
#include "engine/core/language.h"
#include "platform/qt/qt_language.h"

namespace {

namespace fs = std::filesystem;

bool Save(QWidget& window, const fs::path& file) {
  const bool ok = window.grab().save(QString::fromStdString(file.string()), "PNG");
  if (!ok) std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
  return ok;
}

QTreeWidgetItem* Node(QTreeWidget* tree, const char* text) {
  const auto nodes = tree->findItems(QString::fromLatin1(text), Qt::MatchStartsWith | Qt::MatchRecursive);
  return nodes.isEmpty() ? nullptr : nodes[0];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: dictionary_screenshots <output folder>\n");
    return 2;
  }
  QApplication app(argc, argv);
  vl::vlInstallQtPlatform();
  // The environment's language: LANG=zh_CN.UTF-8 gives the Chinese pictures.
  vl::vlSetLanguage(vl::vlEnvironmentLanguage());
  vl::vlInstallQtLanguage();
  vl::vlRegisterFunctionLibrary<vl::TvlStdFunctionLibrary>();
  const fs::path out(argv[1]);

  // An address list and its orders as CSV files on the report's form.
  const fs::path data = fs::temp_directory_path() / "vl_dictionary_screenshots";
  fs::create_directories(data);
  vl::TvlForm form("FormMain");
  const auto csv = [&](const std::string& name, const std::string& content) -> vl::TvlCsvDataSource& {
    std::ofstream(data / (name + ".csv")) << content;
    auto& source = form.Add<vl::TvlCsvDataSource>(name);
    source.FileName = (data / (name + ".csv")).string();
    return source;
  };
  csv("Addresses", "Name,Street,Zip,City,Country\nAnn Smith,1 Main Street,20500,Washington,USA\n");
  vl::TvlDataSource& orders = csv("Orders", "Qty,Item,Price\n3,Envelopes C5,1.5\n");
  form.Add<vl::TvlDBDataSet>("AddressData").SetDataSet(static_cast<vl::TvlDataSource*>(form.FindComponent("Addresses")));
  form.Add<vl::TvlDBDataSet>("OrderData").SetDataSet(&orders);

  vl::TvlReport report;
  report.Owner = &form;
  auto& dict = report.Dictionary;
  dict.Variables.Set(" Address", vl::TvlValue(std::string()));
  dict.Variables.Set("Recipient", vl::TvlValue(std::string("Addresses.\"Name\"")));
  dict.Variables.Set("Street", vl::TvlValue(std::string("Addresses.\"Street\"")));
  dict.Variables.Set("Town", vl::TvlValue(std::string("[Addresses.\"Zip\"] + ' ' + [Addresses.\"City\"]")));
  dict.Variables.Set(" Print", vl::TvlValue(std::string()));
  dict.Variables.Set("Printed on", vl::TvlValue(std::string("DATE")));
  dict.Variables.Set("Sheet", vl::TvlValue(std::string("PAGE#")));
  dict.FieldAliases.Set("Addresses", vl::TvlValue(std::string("Address list")));
  dict.FieldAliases.Set("Addresses.\"Zip\"", vl::TvlValue(std::string("Postcode")));
  dict.FieldAliases.Set("Addresses.\"Country\"", vl::TvlValue(std::string()));

  int failures = 0;
  QTimer::singleShot(0, [&] {
    {
      vl::TvlDictForm editor(report);
      editor.show();
      editor.VarTree->setCurrentItem(Node(editor.VarTree, "Recipient"));
      QApplication::processEvents();
      failures += !Save(editor, out / "dictionary_editor.png");
      editor.Tabs->setCurrentIndex(1);
      QTreeWidgetItem* addresses = Node(editor.FieldAliasesTab->Tree, "Addresses");
      addresses->setExpanded(true);
      editor.FieldAliasesTab->Tree->setCurrentItem(Node(editor.FieldAliasesTab->Tree, "Zip"));
      QApplication::processEvents();
      failures += !Save(editor, out / "dictionary_aliases.png");
    }
    {
      vl::TvlExprForm builder(report);
      builder.SetExpression("IF([Addresses.\"Country\"] <> 'USA', [Addresses.\"Country\"], '')");
      builder.show();
      QApplication::processEvents();
      failures += !Save(builder, out / "expression_builder.png");
    }
    {
      vl::TvlFuncForm chooser;
      chooser.show();
      chooser.Tree1->setCurrentItem(Node(chooser.Tree1, "Aggregate"));
      chooser.FuncLB->SelectText("SUM");
      QApplication::processEvents();
      failures += !Save(chooser, out / "function_chooser.png");
      vl::TvlFuncArgForm arguments(report);
      arguments.FuncLabel->setText(chooser.FuncLabel->text());
      arguments.DescrLabel->setText(chooser.DescrLabel->text());
      arguments.Result = "SUM";
      arguments.show();
      arguments.SetArgument(0, "[Orders.\"Qty\"] * [Orders.\"Price\"]");
      QApplication::processEvents();
      failures += !Save(arguments, out / "function_arguments.png");
    }
    {
      vl::TvlVarForm chooser(report);
      chooser.show();
      QApplication::processEvents();
      failures += !Save(chooser, out / "variable_chooser.png");
    }
    {
      QWidget owner;
      vl::TvlInsFieldsForm* window = vl::TvlInsFieldsForm::Open(&owner, report);
      window->resize(180, 300);
      window->FieldsLB->setCurrentRow(1);
      QApplication::processEvents();
      failures += !Save(*window, out / "db_fields.png");
      delete window;
    }
    {
      vl::TvlInsertFieldsForm dialog(report);
      dialog.show();
      for (int k = 0; k < dialog.FieldsL->count() && k < 2; ++k) dialog.FieldsL->item(k)->setSelected(true);
      QApplication::processEvents();
      failures += !Save(dialog, out / "insert_fields.png");
    }
    app.quit();
  });
  app.exec();
  fs::remove_all(data);
  return failures ? 1 : 0;
}
