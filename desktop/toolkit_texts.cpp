#include "desktop/toolkit_texts.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace desktop {
namespace {

// Loads Qt's texts the first time anything needs them: a context menu
// event, which every way of opening a menu sends (the right button, the
// menu key, assistive tools) before the menu is built, or a screen reader
// coming up (or found already running), which reads Qt's names for what
// each control can do. The event itself goes on unchanged.
class ToolkitTextsOnDemand final : public QObject, public QAccessible::ActivationObserver {
 public:
  // Asking Qt whether assistive tools are active would connect to the
  // session bus there and then, ahead of the first frame; the platform
  // tells its observers once it knows, and that is soon enough.
  explicit ToolkitTextsOnDemand(QObject* parent) : QObject(parent) {
    parent->installEventFilter(this);
    QAccessible::installActivationObserver(this);
  }

  ~ToolkitTextsOnDemand() override { QAccessible::removeActivationObserver(this); }

  ToolkitTextsOnDemand(const ToolkitTextsOnDemand&) = delete;
  ToolkitTextsOnDemand& operator=(const ToolkitTextsOnDemand&) = delete;

  void accessibilityActiveChanged(bool active) override {
    if (active) Load();
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::ContextMenu) Load();
    return QObject::eventFilter(watched, event);
  }

 private:
  // Stays registered as an observer once done: Qt walks its observers while
  // it tells them, so leaving the list from inside the call is unsafe.
  void Load() {
    if (loaded_) return;
    loaded_ = true;
    parent()->removeEventFilter(this);
    // Debian ships Qt's own texts with the Qt translations; without them
    // the menu stays in English, which is all Qt can do.
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Bulgarian, QLocale::Bulgaria), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
      QCoreApplication::installTranslator(translator);
    } else {
      delete translator;
    }
  }

  bool loaded_ = false;
};

}  // namespace

void LoadToolkitTextsOnDemand() { new ToolkitTextsOnDemand(QCoreApplication::instance()); }

}  // namespace desktop
