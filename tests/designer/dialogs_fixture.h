#pragma once
// The expression and dictionary dialogs on a report whose owner form holds
// two CSV datasets (Orders: Qty, Item, Price; Customers: Name, City) and a
// band dataset over Orders; modal dialogs are answered from the event loop.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>

#include "designer/chooser_list.h"
#include "designer/field_chooser.h"
#include "designer/var_form.h"
#include "engine/data/components.h"
#include "engine/data/csv_data_source.h"
#include "engine/data/db_dataset.h"
#include "engine/model/report.h"
#include "engine/binding/standard_library.h"
#include "engine/script/function_library.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "tests/qt_application.h"

namespace vl::test {

// Runs action on the first visible modal dialog of type T, polling from the
// event loop (also from the loops of dialogs opened inside others).
class TDialogWaiter : public QObject {
 public:
  explicit TDialogWaiter(std::function<bool()> tryRun) : tryRun_(std::move(tryRun)) { timer_ = startTimer(5); }
  bool Done() const { return done_; }

 protected:
  void timerEvent(QTimerEvent*) override {
    if (done_) return;
    if (++ticks_ > 2000) {  // ten seconds: give up, the test's checks will fail
      Finish();
      return;
    }
    if (tryRun_()) Finish();
  }

 private:
  void Finish() {
    done_ = true;
    killTimer(timer_);
    deleteLater();
  }
  std::function<bool()> tryRun_;
  int timer_ = 0, ticks_ = 0;
  bool done_ = false;
};

template <class T>
void WhenShown(std::function<void(T&)> action) {
  new TDialogWaiter([action] {
    auto* dialog = dynamic_cast<T*>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) return false;
    action(*dialog);
    return true;
  });
}

inline void ClickButton(QWidget* parent, const char* name) {
  auto* button = parent->findChild<QWidget*>(name);
  ASSERT_NE(button, nullptr) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

// Makes the row of that text current in a chooser list, as a click does.
inline void ChooseRow(TvlChooserList* list, const std::string& text) {
  const auto items = list->findItems(vlToQt(text), Qt::MatchExactly);
  ASSERT_EQ(items.size(), 1) << text;
  const QRect r = list->visualItemRect(items[0]);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, r.center());
  ASSERT_EQ(list->CurrentText(), text);
}

// The standard output of a command line (the command-line tool's answers).
inline std::string RunTool(const std::string& command) {
  std::string out;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return out;
  char buffer[256];
  while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
  ::pclose(pipe);
  return out;
}

class DialogsTest : public ::testing::Test {
 protected:
  DialogsTest() {
    dir = std::filesystem::temp_directory_path() /
          ("vl_dialogs_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
           std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    vlRegisterFunctionLibrary<TvlStdFunctionLibrary>();
    previousSettings = vlPlatform().Settings;
    vlInstallPlatform(TvlPlatform{nullptr, &settings});
    vlRememberedVarCategory().clear();
    vlRememberedFieldsDataset().clear();
    report.Owner = &form;
    Csv("Orders", "Qty,Item,Price\n3,Pen,1.5\n1,Ink,4\n");
    Csv("Customers", "Name,City\nAnn,Oslo\n");
    form.Add<TvlDBDataSet>("OrdersData").SetDataSet(static_cast<TvlDataSource*>(form.FindComponent("Orders")));
  }
  ~DialogsTest() override {
    vlInstallPlatform(TvlPlatform{nullptr, previousSettings});
    std::filesystem::remove_all(dir);
  }

  void Csv(const std::string& name, const std::string& content) {
    const std::filesystem::path file = dir / (name + ".csv");
    std::ofstream(file) << content;
    form.Add<TvlCsvDataSource>(name).FileName = file.string();
  }

  std::filesystem::path dir;
  TvlMemorySettingsStore settings;
  TvlSettingsStore* previousSettings = nullptr;
  TvlForm form{"FormMain"};
  TvlReport report;
};

}  // namespace vl::test
