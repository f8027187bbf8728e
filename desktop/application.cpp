#include "desktop/application.h"

#include <QStyle>
#include <QStyleFactory>

#include "controls/texts.h"
#include "desktop/game_icon.h"
#include "desktop/light_palette.h"
#include "desktop/toolkit_texts.h"
#include "window/qt_text.h"

namespace desktop {
namespace {

constexpr char kConfigured[] = "zimarela-configured";

}  // namespace

void ConfigureApplication() {
  // Every window the tests build is built as the program builds its one,
  // and the palette keeper and the texts loader must each exist once.
  QCoreApplication* application = QCoreApplication::instance();
  if (application->property(kConfigured).toBool()) return;
  application->setProperty(kConfigured, true);

  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  KeepLightPalette();

  LoadToolkitTextsOnDemand();

  QApplication::setApplicationName(QStringLiteral("zimarela"));
  QApplication::setApplicationDisplayName(window::ToQString(texts::kTitle));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  QApplication::setWindowIcon(GameIcon());
}

}  // namespace desktop
