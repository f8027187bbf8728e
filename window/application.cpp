#include "window/application.h"

#include <QStyle>
#include <QStyleFactory>

#include "controls/texts.h"
#include "window/game_icon.h"
#include "window/light_palette.h"
#include "window/qt_text.h"
#include "window/toolkit_texts.h"
#include "window/widgets.h"

namespace window {

void ConfigureApplication() {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  KeepLightPalette();

  LoadToolkitTextsOnDemand();

  QApplication::setApplicationName(QStringLiteral("zimarela"));
  QApplication::setApplicationDisplayName(ToQString(texts::kTitle));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  QApplication::setWindowIcon(GameIcon());
  RecordOptionButton::InstallAccessibility();
}

}  // namespace window
