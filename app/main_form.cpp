#include "app/main_form.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFont>
#include <QGuiApplication>
#include <QIcon>
#include <QMenu>
#include <QMimeData>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "app/flagged_envelopes.h"
#include "app/launcher_glyphs.h"
#include "app/launcher_labels.h"
#include "viewer/preview_form.h"
#include "engine/core/error.h"
#include "engine/core/string_table.h"
#include "engine/data/report_sources_on_form.h"
#include "engine/model/stream_reader.h"
#include "platform/platform.h"
#include "platform/qt/qt_text.h"
#include "platform/qt/qt_language.h"
#include "controls/language_choice.h"
#include "engine/core/project_texts.h"

// The artwork lives in a static library, whose resource initialiser the
// linker would drop unless something refers to it.
static void InitLauncherResources() { Q_INIT_RESOURCE(launcher); }

namespace vl {

namespace {

constexpr int kClientWidth = 601, kClientHeight = 227;
constexpr int kButtonWidth = 105, kButtonHeight = 41;

// The launcher's texts are its own (Chinese) and never pass through the
// engine, so they go to Qt directly rather than through the code page.
const QString kCaption = QStringLiteral("翎盒信封打印软件");
const QString kDesignHint = QStringLiteral("信封设计");
const QString kTemplateCaptions[6] = {
    QStringLiteral("信封模板（一）"), QStringLiteral("信封模板（二）"), QStringLiteral("信封模板（三）"),
    QStringLiteral("信封模板（四）"), QStringLiteral("信封模板（五）"), QStringLiteral("信封模板（六）")};
const QString kHomePageCaption = QStringLiteral("访问主页");
const QString kRelateCaption = QStringLiteral("相关推荐");

// "宋体" is not installed on Linux; WenQuanYi Zen Hei stands in for it and
// covers GB2312.
QFont LauncherFont() {
  QFont::insertSubstitution(QStringLiteral("宋体"), QStringLiteral("WenQuanYi Zen Hei"));
  QFont font(QStringLiteral("宋体"));
  font.setPixelSize(12);
  return font;
}

}  // namespace

std::string vlTemplatePath(int n) { return "Vlf/" + std::to_string(n) + ".vlf"; }

TFormMain::TFormMain(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("FormMain"));
  // Single fixed border, system menu and minimise box; no maximise.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowTitle(kCaption);
  setFixedSize(kClientWidth, kClientHeight);
  setFont(LauncherFont());
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setMouseTracking(true);

  ExecRecipientForm = [](TRecipientForm& form) { return form.exec() == QDialog::Accepted; };
  ExecLabelsWindow = [](TLabelsWindow& window) { return window.exec() == QDialog::Accepted; };
  AskLabels = [this](const std::vector<TvlEnvelopeProblem>& problems, int labels) {
    // Labels print all or none: a sheet has no pages to leave out.
    TBatchCheckDialog dialog(problems, labels, this);
    dialog.PrintGood->hide();
    dialog.exec();
    return dialog.Choice() == TBatchChoice::PrintAll;
  };
  AskBatch = [this](const std::vector<TvlEnvelopeProblem>& problems, int envelopes) {
    TBatchCheckDialog dialog(problems, envelopes, this);
    dialog.exec();
    return dialog.Choice();
  };
  InitLauncherResources();
  CreateComponents();
  CreateActions();
  CreateControls();
  // An address list dropped on the window comes into force.
  setAcceptDrops(true);
  AddressList.Restore();
  ShowAddressList();

  if (const QScreen* screen = QGuiApplication::primaryScreen())
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
}

TFormMain::~TFormMain() = default;

// The components with the settings stored with the window.
void TFormMain::CreateComponents() {
  vlReport1.Name = "vlReport1";
  vlReport1.Owner = &Components;
  // "ReportForm": format level 25 and no embedded template.
  static constexpr char kReportForm[] = {0x19, 0x00, 0x00, 0x00};
  TvlStreamReader form(kReportForm, sizeof kReportForm);
  vlReport1.ReadReportForm(form);
  vlReport1.Loaded();
  vlReport1.InitialZoom = pzDefault;
  vlReport1.PreviewButtons = pbZoom | pbLoad | pbSave | pbPrint | pbFind | pbHelp | pbExit;
  vlReport1.RebuildPrinter = false;
  vlDesigner1.OpenDir = "Vlf";
  vlDesigner1.SaveDir = "Vlf";
}

void TFormMain::CreateActions() {
  QAction** templates[6] = {&Action1, &Action2, &Action3, &Action4, &Action5, &Action6};
  for (int i = 0; i < 6; ++i) {
    QAction* action = new QAction(kTemplateCaptions[i], this);
    action->setObjectName(QStringLiteral("Action%1").arg(i + 1));
    connect(action, &QAction::triggered, this, [this, i] { ActionExecute(i + 1); });
    *templates[i] = action;
  }
  ImageList1 = vlLauncherGlyphs();
  ActionHomePage = new QAction(QIcon(QPixmap::fromImage(ImageList1[0])), kHomePageCaption, this);
  ActionHomePage->setObjectName(QStringLiteral("ActionHomePage"));
  connect(ActionHomePage, &QAction::triggered, this, [this] { ActionHomePageExecute(); });
  ActionRelate = new QAction(QIcon(QPixmap::fromImage(ImageList1[1])), kRelateCaption, this);
  ActionRelate->setObjectName(QStringLiteral("ActionRelate"));
  connect(ActionRelate, &QAction::triggered, this, [this] { ActionRelateExecute(); });
  ActionList1 = {Action1, Action2, Action3, Action4, Action5, Action6, ActionHomePage, ActionRelate};

  // The context menu's actions; they have no buttons, so the layout stays as it is.
  ActionRecipient = new QAction(vlQTr("Recipient…"), this);
  ActionRecipient->setObjectName(QStringLiteral("ActionRecipient"));
  connect(ActionRecipient, &QAction::triggered, this, [this] { ActionRecipientExecute(); });
  ActionAddressList = new QAction(vlQTr("Address list…"), this);
  ActionAddressList->setObjectName(QStringLiteral("ActionAddressList"));
  connect(ActionAddressList, &QAction::triggered, this, [this] { ActionAddressListExecute(); });
  ActionClearAddressList = new QAction(vlQTr("Clear address list"), this);
  ActionClearAddressList->setObjectName(QStringLiteral("ActionClearAddressList"));
  connect(ActionClearAddressList, &QAction::triggered, this, [this] { ClearAddressList(); });
  ActionLabels = new QAction(vlQTr("Address labels…"), this);
  ActionLabels->setObjectName(QStringLiteral("ActionLabels"));
  connect(ActionLabels, &QAction::triggered, this, [this] { vlAddressLabels(*this); });
}

// A flat button that takes its caption, glyph and click from its action; the
// launcher's glyphs keep their colours at rest.
TvlSpeedButton* TFormMain::CreateSpeedButton(const char* name, int left, int top, QAction* action) {
  auto* button = new TvlSpeedButton(this);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(left, top, kButtonWidth, kButtonHeight);
  button->SetFlat(true);
  button->SetGrayedInactive(false);
  button->setCursor(Qt::PointingHandCursor);
  button->SetAction(action);
  return button;
}

void TFormMain::CreateControls() {
  // The shape first, so the picture lies on top of it and the shape shows as
  // a frame round the picture.
  Shape1 = new TShape(this);
  Shape1->setObjectName(QStringLiteral("Shape1"));
  Shape1->setGeometry(32, 32, 169, 161);
  Shape1->setCursor(Qt::PointingHandCursor);
  Shape1->setToolTip(kDesignHint);
  Shape1->SetBrushColor(kIdleColor);
  Shape1->OnMouseDown = [this](Qt::MouseButton button) { Shape1MouseDown(button); };
  Shape1->OnMouseMove = [this] { Shape1MouseMove(); };

  Image1 = new TImage(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setGeometry(47, 48, 140, 130);
  Image1->setCursor(Qt::PointingHandCursor);
  Image1->setToolTip(kDesignHint);
  Image1->SetPicture(QPixmap(QStringLiteral(":/launcher/envelope.jpg")));
  Image1->OnClick = [this] { Image1Click(); };
  Image1->OnMouseMove = [this] { Image1MouseMove(); };

  SpeedButton1 = CreateSpeedButton("SpeedButton1", 224, 32, Action1);
  SpeedButton2 = CreateSpeedButton("SpeedButton2", 344, 32, Action2);
  SpeedButton3 = CreateSpeedButton("SpeedButton3", 464, 32, Action3);
  SpeedButton4 = CreateSpeedButton("SpeedButton4", 224, 88, Action4);
  SpeedButton5 = CreateSpeedButton("SpeedButton5", 344, 88, Action5);
  SpeedButton6 = CreateSpeedButton("SpeedButton6", 464, 88, Action6);
  SpeedButton7 = CreateSpeedButton("SpeedButton7", 224, 152, ActionHomePage);
  SpeedButton8 = CreateSpeedButton("SpeedButton8", 464, 152, ActionRelate);
}

void TFormMain::mouseMoveEvent(QMouseEvent*) { FormMouseMove(); }

void TFormMain::FormMouseMove() { Shape1->SetBrushColor(kIdleColor); }
void TFormMain::Shape1MouseMove() { Shape1->SetBrushColor(kHoverColor); }
void TFormMain::Image1MouseMove() { Shape1->SetBrushColor(kHoverColor); }

// Any mouse button on the frame opens the designer, as a click on the picture does.
void TFormMain::Shape1MouseDown(Qt::MouseButton) { DesignTemplate(); }
void TFormMain::Image1Click() { DesignTemplate(); }

// The designer opens modally on the template the report holds (the last one
// printed, or a new one-page report); its saves go to Vlf by default.
void TFormMain::DesignTemplate() { vlReport1.DesignReport(); }

// Print one template: load it (a missing file leaves the report as it was),
// prepare it and, when that succeeds, prepare it once more and show it in the
// preview, from which the user prints. With an address list in force the
// run walks the list, one envelope per address; a list that cannot be read
// now prints nothing at all rather than part of the batch. Without one the
// recipient form comes first (unless the user turned it off; Cancel cancels
// the press) and the envelope prints its recipient and sender; an empty
// form prints the blank template.
void TFormMain::ActionExecute(int n) {
  if (!AddressList.InForce() && vlAskForRecipient() && !ActionRecipientExecute()) return;
  vlReport1.LoadFromFile(vlTemplatePath(n));
  std::unique_ptr<TvlAddressBinding> addresses;
  TvlEnvelopeValues values;
  if (AddressList.InForce()) {
    addresses = AddressList.Bind(vlReport1);
    ShowAddressList();
    if (!addresses) return;
    values = SenderBesides(*addresses);
  } else if (!Recipient.Empty()) {
    values = Recipient.EngineValues();
  }
  std::unique_ptr<TvlEnvelopeRecord> record;
  try {
    if (std::any_of(values.begin(), values.end(), [](const auto& v) { return v.has_value(); }))
      record = std::make_unique<TvlEnvelopeRecord>(Components, vlReport1, values);
  } catch (const TvlError& e) {
    vlShowMessage(e.what(), vlLoadStr(str::kError), TvlMsgIcon::Error);
    return;
  }
  // The template's own data sources serve the names the address list leaves.
  TvlReportSourcesOnForm ownSources(Components);
  if (const auto problems = ownSources.Attach(vlDataSourcesOf(vlReport1)); !problems.empty())
    vlShowMessage(vlMissingSourcesMessage(problems), vlTr("Data sources"), TvlMsgIcon::Warning);
  // The spooler's job name says which template and which list; a title the
  // template has wins.
  const std::string savedTitle = vlReport1.Title;
  if (vlReport1.Title.empty()) {
    QString title = kTemplateCaptions[n - 1];
    if (AddressList.InForce()) title += QStringLiteral(" – ") + AddressList.CaptionText();
    vlReport1.Title = vlFromQt(title);
  }
  // Prepared once: preparing again would ask a dialog page's question twice
  // and build a whole address list twice.
  if (addresses)
    PrepareCheckedBatch(*addresses);
  else if (vlReport1.Prepare())
    vlReport1.ShowPrepared();
  vlReport1.Title = savedTitle;
}

void TFormMain::PrepareCheckedBatch(const TvlAddressBinding& addresses) {
  if (!vlReport1.Prepare()) return;
  const std::vector<TvlEnvelopeProblem> problems = vlCheckEnvelopes(vlReport1, addresses);
  if (problems.empty()) return vlReport1.ShowPrepared();
  const int envelopes = static_cast<int>(AddressList.Count());
  const TBatchChoice choice = AskBatch ? AskBatch(problems, envelopes) : TBatchChoice::Cancel;
  if (choice == TBatchChoice::Cancel) return;
  if (choice == TBatchChoice::PrintGood && envelopes > 0) {
    // Each envelope has its share of the pages; the bad ones go, from the last.
    const int pagesPerRow = vlReport1.EMFPages.Count() / envelopes;
    const std::vector<int> bad = vlRowsWithProblems(problems);
    for (auto row = bad.rbegin(); row != bad.rend(); ++row)
      for (int k = pagesPerRow - 1; k >= 0; --k) vlReport1.EMFPages.Delete((*row - 1) * pagesPerRow + k);
  } else if (envelopes > 0) {
    // The preview lists the flagged envelopes and goes to each one chosen.
    const int pagesPerRow = std::max(1, vlReport1.EMFPages.Count() / envelopes);
    QTimer::singleShot(0, this, [problems, pagesPerRow] {
      if (auto* preview = dynamic_cast<TvlPreviewForm*>(QApplication::activeModalWidget()))
        vlShowFlaggedEnvelopes(*preview, problems, pagesPerRow);
    });
  }
  vlReport1.ShowPrepared();
}

// The remembered sender prints on a list's envelopes too, in the sender's
// fields the list has no column for.
TvlEnvelopeValues TFormMain::SenderBesides(const TvlAddressBinding& addresses) const {
  TvlEnvelopeValues values;
  const TvlEnvelopeValues sender = Recipient.EngineValues();
  for (int f : {efSenderAddress, efSenderPostcode}) {
    const std::string& given = *sender[static_cast<std::size_t>(f)];
    const std::vector<std::string>& bound = addresses.Bound();
    if (!given.empty() && std::find(bound.begin(), bound.end(), vlEnvelopeVariable(f)) == bound.end())
      values[static_cast<std::size_t>(f)] = given;
  }
  return values;
}

bool TFormMain::ActionRecipientExecute() {
  TRecipientForm form(Recipient, vlRecentRecipients(), vlAskForRecipient(), this);
  if (!ExecRecipientForm || !ExecRecipientForm(form)) return false;
  form.Remember();
  Recipient = form.Values();
  return true;
}

bool TFormMain::SetAddressList(const std::string& spec) {
  const bool taken = AddressList.Set(spec);
  ShowAddressList();
  return taken;
}

void TFormMain::ClearAddressList() {
  AddressList.Clear();
  ShowAddressList();
}

void TFormMain::ActionAddressListExecute() {
  const QString file = QFileDialog::getOpenFileName(
      this, vlQTr("Address list"), QString(),
      vlQTr("Address lists (*.csv *.txt *.vcf *.vcard *.db *.sqlite *.sqlite3);;All files (*)"));
  if (!file.isEmpty()) SetAddressList(QFile::encodeName(file).toStdString());
}

void TFormMain::ShowAddressList() {
  const QString caption = AddressList.CaptionText();
  setWindowTitle(caption.isEmpty() ? kCaption : kCaption + QStringLiteral(" - ") + caption);
  const QString tip = AddressList.ToolTipText();
  setToolTip(tip);
  TvlSpeedButton* buttons[] = {SpeedButton1, SpeedButton2, SpeedButton3, SpeedButton4, SpeedButton5, SpeedButton6};
  for (int i = 0; i < 6; ++i)
    buttons[i]->setToolTip(tip.isEmpty() ? QString() : kTemplateCaptions[i] + QStringLiteral("\n") + tip);
  ActionClearAddressList->setEnabled(AddressList.InForce());
}

void TFormMain::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addAction(ActionRecipient);
  menu.addSeparator();
  menu.addAction(ActionAddressList);
  menu.addAction(ActionClearAddressList);
  menu.addSeparator();
  menu.addAction(ActionLabels);
  menu.addSeparator();
  vlAddLanguageMenu(menu);
  menu.exec(event->globalPos());
}

// Files from the file manager; the first local one is taken.
void TFormMain::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls())
    for (const QUrl& url : event->mimeData()->urls())
      if (url.isLocalFile()) return event->acceptProposedAction();
}

void TFormMain::dropEvent(QDropEvent* event) {
  for (const QUrl& url : event->mimeData()->urls())
    if (url.isLocalFile()) {
      event->acceptProposedAction();
      SetAddressList(QFile::encodeName(url.toLocalFile()).toStdString());
      return;
    }
}

// Nothing is reported when the shell cannot open the page.
void TFormMain::ActionHomePageExecute() { vlPlatform().Shell->Open(kVendorHomePage, "open"); }
void TFormMain::ActionRelateExecute() { vlPlatform().Shell->Open(kVendorProductPage, "open"); }

}  // namespace vl
