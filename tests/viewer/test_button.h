#pragma once
// A button as an add-in control class would bring one to dialog pages: a
// caption and the modal result it ends its window with, standing as a
// QPushButton named after the control.

#include <QPushButton>
#include <memory>

#include "engine/core/text.h"
#include "engine/core/value_convert.h"
#include "engine/formation/dialog_page_host.h"
#include "engine/model/control.h"
#include "engine/model/object_factory.h"
#include "viewer/dialog_control_widgets.h"
#include "viewer/dialog_page_form.h"
#include "platform/qt/qt_text.h"

namespace vl::testing {

class TvlTestButton : public TvlControl {
 public:
  TvlTestButton() { ClassName = "TvlTestButton"; }
  std::string Caption;
  std::int32_t Result = mrNone;

  void DeclareProperties() override {
    TvlControl::DeclareProperties();
    AddProperty("Caption", ptString);
    AddProperty("ModalResult", ptInteger);
  }

  TvlValue GetProperty(const std::string& name) override {
    const std::string n = vlUpperCase(name);
    if (n == "CAPTION") return TvlValue(Caption);
    if (n == "MODALRESULT") return TvlValue(Result);
    return TvlControl::GetProperty(name);
  }

 protected:
  void SetControlProperty(const std::string& name, const TvlValue& value) override {
    const std::string n = vlUpperCase(name);
    if (n == "CAPTION") Caption = vlValueToText(value);
    else if (n == "MODALRESULT") Result = vlValueToInteger(value);
    else TvlControl::SetControlProperty(name, value);
  }
};

// Registers the class "TvlTestButton" and its widget; undone by vlUnregisterTestButton.
inline void vlRegisterTestButton() {
  vlAddIns().Register({"TvlTestButton", [] { return std::make_unique<TvlTestButton>(); }, {}});
  vlRegisterControlWidget(
      "TvlTestButton",
      {[](TvlControl& control, TvlDialogPageForm& window) -> QWidget* {
         auto* button = new QPushButton(&window);
         QObject::connect(button, &QPushButton::clicked, &window, [&control, &window] {
           window.EndModal(vlValueToInteger(control.GetProperty("ModalResult")));
         });
         return button;
       },
       [](TvlControl& control, QWidget& widget) {
         static_cast<QPushButton&>(widget).setText(vlToQt(vlValueToText(control.GetProperty("Caption"))));
       }});
}

inline void vlUnregisterTestButton() {
  vlUnregisterControlWidget("TvlTestButton");
  vlAddIns().Unregister("TvlTestButton");
}

}  // namespace vl::testing
