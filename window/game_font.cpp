#include "window/game_font.h"

#include <QStringList>
#include <string_view>

#include "layout/layout.h"
#include "window/qt_text.h"

namespace window {

QFont GameFont(int pixels) {
  QFont font;
  QStringList families;
  for (const std::string_view family : layout::kFontFamilies) families << ToQString(family);
  font.setFamilies(families);
  font.setStyleHint(QFont::Serif);
  font.setPixelSize(pixels);
  font.setWeight(QFont::Normal);
  return font;
}

}  // namespace window
