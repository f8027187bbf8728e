#include "window/application.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>

#include "controls/texts.h"
#include "window/light_palette.h"
#include "window/qt_text.h"
#include "window/widgets.h"

namespace window {

void ConfigureApplication() {
  if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
    QApplication::setStyle(fusion);
  }
  KeepLightPalette();

  // Qt's own texts, such as a text box's context menu, in the game's
  // language; Debian ships them with the Qt translations.
  auto* translator = new QTranslator(QCoreApplication::instance());
  if (translator->load(QLocale(QLocale::Bulgarian, QLocale::Bulgaria), QStringLiteral("qtbase"),
                       QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QCoreApplication::installTranslator(translator);
  }

  QApplication::setApplicationName(QStringLiteral("zimarela"));
  QApplication::setApplicationDisplayName(ToQString(texts::kTitle));
  QGuiApplication::setDesktopFileName(QString::fromLatin1(kApplicationId));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/zimarela/zimarela.xpm")));
  RecordOptionButton::InstallAccessibility();
}

}  // namespace window
