// The preview's page editor: the designer opens on one prepared page, and
// the change reaches the prepared page only when the user keeps it; the
// template comes back untouched either way.

#include <QTimer>

#include "designer/designer_install.h"
#include "engine/formation/report_windows.h"
#include "engine/model/prepared_pages.h"
#include "viewer/preview_form.h"
#include "tests/designer/designer_fixture.h"

namespace vl {
namespace {

class PreparedPageEdit : public DesignerTest {
 protected:
  PreparedPageEdit() : windows_(vlReportWindows()) {
    vlInstallDesigner();
    Report.ShowProgress = false;
    AddMemo("Memo1", 40, 40, 100, 20)->Memo = {"Hello"};
  }
  ~PreparedPageEdit() override { vlReportWindows() = windows_; }

  // The memo's left edge on prepared page 0, as a preview shows it.
  int PreparedLeft() { return PreparedLeft(Report.EMFPages); }
  static int PreparedLeft(TvlEMFPages& pages) {
    pages[0].Page.reset();
    TvlPage* page = pages.Expand(0);
    EXPECT_EQ(page->Objects.size(), 1u);
    return page->Objects.empty() ? -1 : page->Objects.front()->Left;
  }

  // Edits prepared page 0 (through edit, by default the report's page
  // editor): the designer moves the memo 8 pixels right and closes.
  void EditAndMove(const std::function<void()>& edit = {}) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
      auto* designer = static_cast<TvlDesignerForm*>(vlCurrentDesigner());
      ASSERT_NE(designer, nullptr);
      seen = true;
      EXPECT_FALSE(designer->FirstInstance);
      EXPECT_FALSE(designer->Command("Open")->isEnabled()) << "no file is opened over a prepared page";
      ASSERT_EQ(designer->Page->Objects.size(), 1u);
      designer->SelectObject(designer->Page->Objects.front()->Name);
      for (int i = 0; i < 8; ++i) {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_Right, Qt::ControlModifier);
        QApplication::sendEvent(designer->Surface(), &e);
      }
      designer->close();
    });
    if (edit)
      edit();
    else
      Report.EditPreparedPage(0);
    EXPECT_TRUE(seen);
  }

 private:
  TvlReportWindows windows_;  // the engine's windows before the designer was installed
};

TEST_F(PreparedPageEdit, SaveChangesWritesThePreparedPageAndKeepsTheTemplate) {
  ASSERT_TRUE(Report.Prepare());
  ASSERT_EQ(Report.EMFPages.Count(), 1);
  const int before = PreparedLeft();
  const std::string templateBytes = Bytes();

  Messages.Answers = {TvlMsgResult::No};
  EditAndMove();
  ASSERT_EQ(Messages.Messages.size(), 1u);
  EXPECT_EQ(Messages.Messages[0].Text, "Save changes?");
  EXPECT_EQ(PreparedLeft(), before) << "No keeps the prepared page";

  Messages.Answers = {TvlMsgResult::Yes};
  EditAndMove();
  EXPECT_EQ(PreparedLeft(), before + 8) << "Yes writes the change into the prepared page";
  EXPECT_EQ(Bytes(), templateBytes) << "the template is as it was";
  EXPECT_EQ(vlCurrentDesigner(), nullptr);
}

// The preview's "Edit page": the preview shows the change once the designer
// closes and the change is kept.
TEST_F(PreparedPageEdit, ThePreviewsEditPageShowsTheChange) {
  ASSERT_TRUE(Report.Prepare());
  const int before = PreparedLeft();
  Report.ModalPreview = false;
  TvlPreviewForm preview;
  preview.Connect(Report);
  preview.SetUp();
  preview.ResetView(true);
  preview.show();
  QApplication::processEvents();
  Messages.Answers = {TvlMsgResult::Yes};
  EditAndMove([&] { preview.EditPage(); });
  ASSERT_EQ(preview.Pages().Count(), 1);
  EXPECT_EQ(PreparedLeft(preview.Pages()), before + 8);
}

}  // namespace
}  // namespace vl
