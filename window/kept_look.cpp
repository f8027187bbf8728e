#include "window/kept_look.h"

#include <QPixmapCache>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace window {

void KeptLookRadioButton::paintEvent(QPaintEvent* event) {
  if (!autoFillBackground()) {
    QRadioButton::paintEvent(event);
    return;
  }
  QStyleOptionButton option;
  initStyleOption(&option);
  const qreal ratio = devicePixelRatio();
  const QString key = QStringLiteral("zimarela-radio:%1:%2:%3x%4:%5:%6:%7:%8:%9")
                          .arg(static_cast<int>(option.state))
                          .arg(option.text)
                          .arg(width())
                          .arg(height())
                          .arg(palette().cacheKey())
                          .arg(font().key())
                          .arg(ratio)
                          .arg(static_cast<int>(layoutDirection()))
                          .arg(reinterpret_cast<quintptr>(style()));
  QPixmap look;
  if (!QPixmapCache::find(key, &look)) {
    look = QPixmap((QSizeF(size()) * ratio).toSize());
    look.setDevicePixelRatio(ratio);
    look.fill(palette().color(backgroundRole()));
    QStylePainter painter(&look, this);
    // What a painter takes from the widget when it paints the widget itself.
    painter.setFont(font());
    painter.setPen(palette().color(foregroundRole()));
    painter.setBrush(palette().brush(backgroundRole()));
    painter.setLayoutDirection(layoutDirection());
    painter.drawControl(QStyle::CE_RadioButton, option);
    painter.end();
    QPixmapCache::insert(key, look);
  }
  QPainter(this).drawPixmap(0, 0, look);
}

}  // namespace window
