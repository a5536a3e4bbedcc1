#pragma once
// The user's choice of interface language (Automatic, 中文, English), as a
// submenu and as a combo box. The choice is kept in the settings store and
// takes effect when the program starts next; the captions say so.

class QComboBox;
class QMenu;
class QWidget;

namespace vl {

// Adds a "Language" submenu whose entries store the choice when picked.
void vlAddLanguageMenu(QMenu& menu);
// A combo box showing the stored choice; vlStoreLanguageChoice keeps what it shows.
QComboBox* vlLanguageComboBox(QWidget* parent);
void vlStoreLanguageChoice(const QComboBox& box);

}  // namespace vl
