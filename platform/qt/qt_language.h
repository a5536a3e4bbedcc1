#pragma once
// The interface language on the Qt side: the project's texts as Qt strings,
// and Qt's own dialog texts (file, colour and font dialogs, standard
// buttons) from the installed qttranslations catalogue.

#include <QString>
#include <QStringList>
#include <string_view>

namespace vl {

// vlTr as a Qt string; Qt's arg() fills %1 ... afterwards:
//     vlQTr("Table of %1:").arg(fileName)
QString vlQTr(std::string_view english);

// The Qt side of the language in force (nothing for English): Qt's own
// catalogues when installed, and an application font whose fallbacks put
// a CJK face that is present (Noto Sans CJK SC, else WenQuanYi Zen Hei)
// first for Chinese characters. Returns true when Qt's own texts are
// translated.
bool vlInstallQtLanguage();
// The families the interface font falls back to for Chinese, those installed.
QStringList vlCjkInterfaceFamilies();

}  // namespace vl
