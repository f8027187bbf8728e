#include "window/application.h"

#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "controls/texts.h"
#include "window/light_palette.h"
#include "window/qt_text.h"
#include "window/widgets.h"

namespace window {
namespace {

constexpr char kNoDisplay[] =
    "zimarela: no display can be reached; start the game from a desktop session.\n";

// What Qt reports while the application starts, held back until it is
// clear whether the start succeeds: a failed start says only kNoDisplay.
struct HeldMessage {
  QtMsgType type;
  // Qt's contexts point at static strings, so keeping the pointers is safe.
  const char* file;
  int line;
  const char* function;
  const char* category;
  QString text;
};
std::vector<HeldMessage> held_messages;

void HoldMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    // Qt cannot go on without a platform; nothing it built is worth
    // tearing down, so leave at once without running destructors.
    std::fputs(kNoDisplay, stderr);
    std::_Exit(1);
  }
  held_messages.push_back(
      {type, context.file, context.line, context.function, context.category, text});
}

bool NamesADisplay() {
  for (const char* variable : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"}) {
    if (!qEnvironmentVariableIsEmpty(variable)) return true;
  }
  return false;
}

}  // namespace

std::unique_ptr<QApplication> StartApplication(int& argc, char** argv) {
  if (!NamesADisplay()) {
    std::fputs(kNoDisplay, stderr);
    std::exit(1);
  }
  const QtMessageHandler previous = qInstallMessageHandler(&HoldMessage);
  auto application = std::make_unique<QApplication>(argc, argv);
  qInstallMessageHandler(previous);
  for (const HeldMessage& message : held_messages) {
    const QMessageLogContext context(message.file, message.line, message.function,
                                     message.category);
    qt_message_output(message.type, context, message.text);
  }
  held_messages.clear();
  return application;
}

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
