#pragma once
// The launcher window: six envelope templates, the designer entry and two web
// links of the vendor.

#include <QAction>
#include <QImage>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "app/address_list.h"
#include "app/batch_check_dialog.h"
#include "app/image_control.h"
#include "app/labels_window.h"
#include "app/recipient_form.h"
#include "app/shape_control.h"
#include "controls/speed_button.h"
#include "designer/designer_component.h"
#include "engine/data/components.h"
#include "engine/model/report.h"
#include "platform/graphics_types.h"

namespace vl {

// The vendor's web pages opened by the two link buttons.
inline constexpr const char* kVendorHomePage = "https://www.vellora.example/";
inline constexpr const char* kVendorProductPage = "https://www.vellora.example/products/";

// The shape's fill while the mouse is over the artwork, and otherwise.
inline constexpr TvlColor kHoverColor = 0xF0CAA6;  // sky blue: red 166, green 202, blue 240
inline constexpr TvlColor kIdleColor = clWhite;

// The template file of button n (1..6), relative to the current folder.
std::string vlTemplatePath(int n);

class TFormMain : public QWidget {
 public:
  explicit TFormMain(QWidget* parent = nullptr);
  ~TFormMain() override;

  // The host form whose components (datasets, data sources) templates name,
  // as "FormMain.Addresses" from anywhere or by their own names from this
  // window's report.
  TvlForm Components{"FormMain"};
  // The report the six buttons load and the designer edits, for the whole run.
  TvlReport vlReport1;
  TvlDesigner vlDesigner1;
  // The address list in force, if any: with one, a template button prints
  // one envelope per address. Given by dropping a file on the window, by
  // "vellora --addresses FILE" or through the window's context menu.
  TAddressList AddressList{Components, this};
  // The one envelope's recipient and sender when no address list is in
  // force, from the recipient form; the sender is remembered across runs.
  TRecipient Recipient = vlLoadSender();
  // Shows the recipient form and says whether it ended with OK; a test puts
  // its own answer here.
  std::function<bool(TRecipientForm&)> ExecRecipientForm;
  // Shown when the check of a batch over the address list finds envelopes
  // that would print wrong (envelopes: how many the batch has); a test puts
  // its own answer here.
  std::function<TBatchChoice(const std::vector<TvlEnvelopeProblem>& problems, int envelopes)> AskBatch;
  // The labels window of "Address labels…" and whether it ended with its
  // choice; then, when labels would print wrong, whether to show them all
  // anyway. Tests put their own answers here.
  std::function<bool(TLabelsWindow&)> ExecLabelsWindow;
  std::function<bool(const std::vector<TvlEnvelopeProblem>& problems, int labels)> AskLabels;

  TShape* Shape1 = nullptr;
  TImage* Image1 = nullptr;
  TvlSpeedButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr, *SpeedButton3 = nullptr,
              *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr,
              *SpeedButton7 = nullptr, *SpeedButton8 = nullptr;
  std::vector<QImage> ImageList1;
  QAction *Action1 = nullptr, *Action2 = nullptr, *Action3 = nullptr, *Action4 = nullptr,
          *Action5 = nullptr, *Action6 = nullptr, *ActionHomePage = nullptr, *ActionRelate = nullptr;
  std::vector<QAction*> ActionList1;
  // The window's context menu: "Recipient…", "Address list…", "Clear address list" and "Address labels…".
  QAction *ActionRecipient = nullptr, *ActionAddressList = nullptr, *ActionClearAddressList = nullptr,
          *ActionLabels = nullptr;

  void FormMouseMove();
  void Shape1MouseDown(Qt::MouseButton button);
  void Shape1MouseMove();
  void Image1Click();
  void Image1MouseMove();
  void ActionExecute(int n);  // Action1Execute .. Action6Execute
  void ActionHomePageExecute();
  void ActionRelateExecute();
  // Puts an address list in force (false, after a message, when it cannot be
  // read or the user cancels), or none.
  bool SetAddressList(const std::string& spec);
  void ClearAddressList();
  void ActionAddressListExecute();
  // The recipient form on Recipient; OK takes and remembers its values and
  // returns true, Cancel changes nothing.
  bool ActionRecipientExecute();

 protected:
  void mouseMoveEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void CreateComponents();
  void CreateControls();
  void CreateActions();
  TvlSpeedButton* CreateSpeedButton(const char* name, int left, int top, QAction* action);
  void DesignTemplate();
  TvlEnvelopeValues SenderBesides(const TvlAddressBinding& addresses) const;
  // The caption and tooltips say which address list is in force.
  void ShowAddressList();
  // Prepares the batch bound to the list, checks it and, unless the user
  // cancels at the summary of problems, shows it (only the good envelopes
  // when the user asks).
  void PrepareCheckedBatch(const TvlAddressBinding& addresses);
};

}  // namespace vl
