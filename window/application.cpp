#include "window/application.h"

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>

#include "controls/texts.h"
#include "window/qt_text.h"
#include "window/widgets.h"

namespace window {

void ConfigureApplication() {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  QApplication::setApplicationName(QStringLiteral("zimarela"));
  QApplication::setApplicationDisplayName(ToQString(texts::kTitle));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zimarela/zimarela.xpm")));
  RecordOptionButton::InstallAccessibility();
}

bool HasDisplay() {
  for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) return true;
  }
  return false;
}

}  // namespace window
