#include "platform/qt/qt_language.h"

#include <QCoreApplication>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "engine/core/language.h"
#include "engine/core/project_texts.h"
#include "platform/qt/qt_text.h"

namespace vl {

QString vlQTr(std::string_view english) { return vlToQt(vlTr(english)); }

QStringList vlCjkInterfaceFamilies() {
  QStringList families;
  for (const char* name : {"Noto Sans CJK SC", "WenQuanYi Zen Hei"})
    if (QFontDatabase::hasFamily(QString::fromLatin1(name))) families << QString::fromLatin1(name);
  return families;
}

bool vlInstallQtLanguage() {
  if (vlLanguage() != TvlLanguage::Chinese || !QCoreApplication::instance()) return false;
  // Left to fontconfig, Chinese characters may come from whichever CJK face
  // sorts first (a Mincho face, say); the interface takes a sans-serif one.
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    QFont font = QGuiApplication::font();
    QStringList families{font.family()};
    families << vlCjkInterfaceFamilies();
    font.setFamilies(families);
    QGuiApplication::setFont(font);
  }
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
