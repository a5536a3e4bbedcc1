#include "designer/font_command.h"

#include <QFontDialog>

#include "designer/designer_form.h"
#include "designer/format_commands.h"
#include "engine/model/memo_view.h"
#include "engine/model/views.h"
#include "platform/qt/qt_canvas.h"
#include "platform/qt/qt_text.h"

namespace vl {

namespace {

}  // namespace

QFont vlFontDialogStart(const TvlFont& font) {
  // The dialog lists installed families only: a Windows face shows as the
  // twin it is drawn with, not as the dialog's default family.
  QFont initial(vlQtFontFamily(font.Name));
  initial.setPointSize(std::max(1, font.Size));
  initial.setBold(font.Style & fsBold);
  initial.setItalic(font.Style & fsItalic);
  initial.setUnderline(font.Style & fsUnderline);
  initial.setStrikeOut(font.Style & fsStrikeOut);
  return initial;
}

void vlTakeFontDialogChoice(const QFont& chosen, TvlFont& font) {
  // The family shown for the view's own face keeps that face's name.
  if (chosen.family() != vlQtFontFamily(font.Name)) font.Name = vlFromQt(chosen.family());
  if (chosen.pointSize() > 0) font.Size = chosen.pointSize();
  font.Style = (chosen.bold() ? fsBold : 0) | (chosen.italic() ? fsItalic : 0) | (chosen.underline() ? fsUnderline : 0) |
               (chosen.strikeOut() ? fsStrikeOut : 0);
}

namespace {

// The platform dialog knows name, size and style; colour and character set
// come back as they went in.
bool PlatformFontDialog(QWidget* owner, TvlFont& font) {
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, vlFontDialogStart(font), owner);
  if (!ok) return false;
  vlTakeFontDialogChoice(chosen, font);
  return true;
}

}  // namespace

std::function<bool(QWidget* owner, TvlFont& font)>& vlFontDialog() {
  static std::function<bool(QWidget*, TvlFont&)> dialog = PlatformFontDialog;
  return dialog;
}

bool vlEditFont(TvlDesignerForm& form, TvlView* view) {
  TvlMemoView* source = vlEditedMemo(form, view);
  if (!source) return false;
  const TvlFont initial = source->Font;
  TvlFont chosen = initial;
  if (!vlFontDialog() || !vlFontDialog()(&form, chosen)) return false;
  form.BeforeChange();
  // Only what the user changed is copied, so each memo keeps the rest.
  for (TvlView* v : form.Selection()) {
    if (v->Typ != otMemo || (v->Restrictions & rsDontModify)) continue;
    TvlFont& f = static_cast<TvlMemoView&>(*v).Font;
    if (chosen.Name != initial.Name) f.Name = chosen.Name;
    if (chosen.Size != initial.Size) f.Size = chosen.Size;
    if (chosen.Color != initial.Color) f.Color = chosen.Color;
    if (chosen.Style != initial.Style) f.Style = chosen.Style;
    if (chosen.Charset != initial.Charset) f.Charset = chosen.Charset;
  }
  if (chosen.Charset != initial.Charset) vlLastUsed().Font.Charset = chosen.Charset;
  form.AfterChange();
  form.RedrawPage();
  return true;
}

}  // namespace vl
