#pragma once
// The interface language on the Qt side: the project's texts as Qt strings,
// and Qt's own dialog texts (file, colour and font dialogs, standard
// buttons) from the installed qttranslations catalogue.

#include <QString>
#include <string_view>

namespace vl {

// vlTr as a Qt string; Qt's arg() fills %1 ... afterwards:
//     vlQTr("Table of %1:").arg(fileName)
QString vlQTr(std::string_view english);

// Loads Qt's catalogues for the language in force into the application
// (nothing for English, or when the catalogue is not installed). Returns
// true when Qt's own texts are translated.
bool vlInstallQtTranslations();

}  // namespace vl
