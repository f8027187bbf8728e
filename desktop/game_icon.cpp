#include "desktop/game_icon.h"

#include <QImage>
#include <QPixmap>

namespace desktop {
namespace {

// The XPM source is C; compiled in, Qt reads its rows straight from memory.
// Read from a file or a resource instead, the picture would go through
// Qt's image readers, which first load every image format plugin installed
// to ask each whether it knows the data: the dearest single step of the
// start-up that the bare toolkit does not take.
#include "data/icons/zimarela-32.xpm"

}  // namespace

QIcon GameIcon() { return QIcon(QPixmap::fromImage(QImage(zimarela))); }

}  // namespace desktop
