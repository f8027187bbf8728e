#include "desktop/light_palette.h"

#include <QApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace desktop {
namespace {

constexpr QRgb kFace = 0xEFEFEF;
constexpr QRgb kText = 0x000000;
constexpr QRgb kBase = 0xFFFFFF;
constexpr QRgb kDisabledText = 0xBEBEBE;
constexpr QRgb kHighlight = 0x308CC6;
constexpr QRgb kDisabledHighlight = 0x919191;
constexpr QRgb kToolTipBase = 0xFFFFDC;
constexpr QRgb kLink = 0x0000FF;
constexpr QRgb kLinkVisited = 0xFF00FF;

// Puts the light palette back once a palette from outside has landed.
// Queued, so Qt finishes handing the outside palette round before it is
// replaced, and each change is answered once.
class PaletteKeeper final : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == QCoreApplication::instance() &&
        event->type() == QEvent::ApplicationPaletteChange && !pending_) {
      pending_ = true;
      QTimer::singleShot(0, this, [this] {
        pending_ = false;
        if (QApplication::palette() != LightPalette()) Restore();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  // A new application palette reaches the windows, which hand it down;
  // under Qt 6.8 controls with a colour of their own were seen to keep the
  // outside palette's text colour after that. Every widget is told, as Qt
  // itself does when class palettes change, so each resolves its palette
  // again.
  static void Restore() {
    QApplication::setPalette(LightPalette());
    for (QWidget* widget : QApplication::allWidgets()) {
      QEvent change(QEvent::ApplicationPaletteChange);
      QCoreApplication::sendEvent(widget, &change);
    }
  }

  bool pending_ = false;
};

}  // namespace

QPalette LightPalette() {
  const QColor face = QColor::fromRgb(kFace);
  QPalette palette;
  for (const QPalette::ColorGroup group :
       {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    const bool disabled = group == QPalette::Disabled;
    const QColor text = QColor::fromRgb(disabled ? kDisabledText : kText);
    QColor placeholder = text;
    placeholder.setAlpha(128);
    palette.setColor(group, QPalette::Window, face);
    palette.setColor(group, QPalette::WindowText, text);
    palette.setColor(group, QPalette::Base, disabled ? face : QColor::fromRgb(kBase));
    palette.setColor(group, QPalette::AlternateBase, face.darker(105));
    palette.setColor(group, QPalette::ToolTipBase, QColor::fromRgb(kToolTipBase));
    palette.setColor(group, QPalette::ToolTipText, QColor::fromRgb(kText));
    palette.setColor(group, QPalette::PlaceholderText, placeholder);
    palette.setColor(group, QPalette::Text, text);
    palette.setColor(group, QPalette::Button, face);
    palette.setColor(group, QPalette::ButtonText, text);
    palette.setColor(group, QPalette::BrightText, QColor::fromRgb(kBase));
    palette.setColor(group, QPalette::Light, face.lighter(150));
    palette.setColor(group, QPalette::Midlight, face.darker(130).lighter(110));
    palette.setColor(group, QPalette::Mid, face.darker(130));
    palette.setColor(group, QPalette::Dark, face.darker(150));
    palette.setColor(group, QPalette::Shadow, face.darker(150).darker(135));
    palette.setColor(group, QPalette::Highlight,
                     QColor::fromRgb(disabled ? kDisabledHighlight : kHighlight));
    palette.setColor(group, QPalette::HighlightedText, QColor::fromRgb(kBase));
#if QT_VERSION >= QT_VERSION_CHECK(6, 6, 0)
    palette.setColor(group, QPalette::Accent, palette.color(group, QPalette::Highlight));
#endif
    palette.setColor(group, QPalette::Link, QColor::fromRgb(kLink));
    palette.setColor(group, QPalette::LinkVisited, QColor::fromRgb(kLinkVisited));
  }
  return palette;
}

void KeepLightPalette() {
  QApplication::setPalette(LightPalette());
  QCoreApplication::instance()->installEventFilter(new PaletteKeeper(QCoreApplication::instance()));
}

}  // namespace desktop
