#include "platform/qt/qt_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "engine/core/language.h"
#include "engine/core/project_texts.h"
#include "platform/qt/qt_text.h"

namespace vl {

QString vlQTr(std::string_view english) { return vlToQt(vlTr(english)); }

bool vlInstallQtTranslations() {
  if (vlLanguage() != TvlLanguage::Chinese || !QCoreApplication::instance()) return false;
  const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  bool any = false;
  // qtbase holds the widgets' dialogs and buttons; qt_ (a meta catalogue on
  // most systems) brings whatever else is installed.
  for (const char* name : {"qtbase_zh_CN", "qt_zh_CN"}) {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QString::fromLatin1(name), folder) && QCoreApplication::installTranslator(translator)) {
      any = true;
    } else {
      delete translator;
    }
  }
  return any;
}

}  // namespace vl
