#include "window/toolkit_texts.h"

#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace window {
namespace {

// Sees every event of the application until the first context menu event,
// which every way of opening a menu sends (the right button, the menu key,
// assistive tools) before the menu is built; then installs the translation
// and steps aside. The event itself goes on unchanged.
class FirstMenuWatch final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ContextMenu && !done_) {
      done_ = true;
      QCoreApplication::instance()->removeEventFilter(this);
      // Debian ships Qt's own texts with the Qt translations; without them
      // the menu stays in English, which is all Qt can do.
      auto* translator = new QTranslator(QCoreApplication::instance());
      if (translator->load(QLocale(QLocale::Bulgarian, QLocale::Bulgaria), QStringLiteral("qtbase"),
                           QStringLiteral("_"),
                           QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
      } else {
        delete translator;
      }
      deleteLater();
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  bool done_ = false;
};

}  // namespace

void LoadToolkitTextsBeforeFirstMenu() {
  QCoreApplication* application = QCoreApplication::instance();
  application->installEventFilter(new FirstMenuWatch(application));
}

}  // namespace window
