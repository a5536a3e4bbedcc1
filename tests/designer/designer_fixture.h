#pragma once
// A designer window on a report, shown without a modal loop, with an
// in-memory settings store, a message box that records and answers, the
// designer's dialogs answered by the test, and a scratch folder.

#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <memory>
#include <string>

#include "designer/design_surface.h"
#include "designer/designer_component.h"
#include "designer/designer_dialogs.h"
#include "designer/designer_form.h"
#include "designer/format_install.h"
#include "designer/designer_restrictions.h"
#include "engine/core/engine_state.h"
#include "engine/model/report.h"
#include "engine/model/stream_writer.h"
#include "engine/model/views.h"
#include "viewer/engine_windows.h"
#include "platform/memory_settings_store.h"
#include "platform/platform.h"
#include "platform/recording_message_box.h"
#include "tests/qt_application.h"

namespace vl {

class DesignerTest : public ::testing::Test {
 protected:
  DesignerTest() : previous_(vlPlatform()), dialogs_(vlDesignerDialogs()) {
    // The windows the program installs, then the test's own message box and
    // settings in place of Qt's.
    vlInstallEngineWindows();
    vlInstallPlatform(TvlPlatform{&Messages, &Settings});
    DesignRestrictions() = 0;
    // Every window gets its formatting toolbars, as the program's do.
    vlInstallFormatting();
    // Answers nobody asked for fail the test rather than open a window.
    auto& d = vlDesignerDialogs();
    d.OpenFile = [this](QWidget*, const std::string&, const std::vector<std::string>&, std::string& path, int& filter) {
      if (OpenAnswer.empty()) return false;
      path = OpenAnswer;
      filter = OpenFilter;
      return true;
    };
    d.SaveFile = [this](QWidget*, const std::string& dir, const std::vector<std::string>&, std::string& path,
                        int& filter) {
      SaveDirSeen = dir;
      if (SaveAnswer.empty()) return false;
      path = SaveAnswer;
      filter = SaveFilter;
      return true;
    };
    d.ChooseBandType = [this](QWidget*, bool, int& type) {
      type = BandTypeAnswer;
      return BandTypeAnswer >= 0;
    };
    d.PageOptions = nullptr;
    d.ObjectEditor = [this](QWidget*, TvlView&) {
      ++EditorsOpened;
      return false;
    };
  }
  ~DesignerTest() override {
    form.reset();
    vlDesignerDialogs() = dialogs_;
    DesignRestrictions() = 0;
    vlInstallPlatform(previous_);
    vlState().CurPage = nullptr;
  }

  // Opens the designer on the report, shown but not modal.
  TvlDesignerForm& Open(bool firstInstance = true) {
    if (Report.Pages.Count() == 0) Report.Pages.Add();
    form = std::make_unique<TvlDesignerForm>(Report, firstInstance);
    form->showNormal();
    form->resize(1000, 700);
    QApplication::processEvents();
    return *form;
  }

  // The template as saved, without the save date (the last 8 bytes).
  std::string Bytes() {
    TvlStreamWriter w;
    Report.SaveToStream(w);
    std::string bytes = w.TakeBytes();
    bytes.resize(bytes.size() - 8);
    return bytes;
  }

  std::string Path(const char* name) const { return Scratch.filePath(QString::fromLatin1(name)).toStdString(); }

  TvlView* AddMemo(const std::string& name, int left, int top, int width = 40, int height = 20) {
    auto view = std::make_unique<TvlMemoView>();
    view->Name = name;
    view->Left = left;
    view->Top = top;
    view->Width = width;
    view->Height = height;
    TvlView* raw = view.get();
    if (Report.Pages.Count() == 0) Report.Pages.Add();
    Report.Pages[0]->Objects.push_back(std::move(view));
    return raw;
  }

  // Mouse and keys on the surface as the platform sends them.
  void Mouse(QEvent::Type type, QPoint p, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QWidget* s = form->Surface();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton
                                  : type == QEvent::MouseMove        ? heldButtons_
                                                                     : Qt::MouseButtons(button);
    if (type == QEvent::MouseButtonPress) heldButtons_ = button;
    if (type == QEvent::MouseButtonRelease) heldButtons_ = Qt::NoButton;
    QMouseEvent e(type, QPointF(p), QPointF(s->mapToGlobal(p)), type == QEvent::MouseMove ? Qt::NoButton : button,
                  held, mods);
    QApplication::sendEvent(s, &e);
  }
  void Hover(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) { Mouse(QEvent::MouseMove, p, Qt::NoButton, mods); }
  void Drag(QPoint from, QPoint to, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Hover(from, mods);
    Mouse(QEvent::MouseButtonPress, from, Qt::LeftButton, mods);
    Mouse(QEvent::MouseMove, to, Qt::LeftButton, mods);
    Mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton, mods);
  }
  void Click(QPoint p, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    Hover(p, mods);
    Mouse(QEvent::MouseButtonPress, p, Qt::LeftButton, mods);
    Mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton, mods);
  }
  void Key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, key, mods);
    QApplication::sendEvent(form->Surface(), &e);
  }

  TvlMemorySettingsStore Settings;
  TvlRecordingMessageBox Messages;
  TvlReport Report;
  std::unique_ptr<TvlDesignerForm> form;
  QTemporaryDir Scratch;
  std::string OpenAnswer, SaveAnswer, SaveDirSeen;
  int OpenFilter = 1, SaveFilter = 1, BandTypeAnswer = -1, EditorsOpened = 0;

 private:
  TvlPlatform previous_;
  TvlDesignerDialogs dialogs_;
  Qt::MouseButtons heldButtons_ = Qt::NoButton;
};

}  // namespace vl
