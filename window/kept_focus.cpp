#include "window/kept_focus.h"

namespace window {

KeptFocus::KeptFocus(QWidget& area) : area_(area), had_focus_(area.focusWidget()) {}

KeptFocus::~KeptFocus() {
  QWidget* had_focus = had_focus_.data();
  if (had_focus == nullptr || !area_.isAncestorOf(had_focus)) return;
  const QWidget* focus = area_.focusWidget();
  if (focus != nullptr && focus->isEnabled() && focus->isVisible()) return;
  for (QWidget* next = had_focus->nextInFocusChain(); next != had_focus;
       next = next->nextInFocusChain()) {
    if (next->isEnabled() && next->isVisible() && (next->focusPolicy() & Qt::TabFocus) != 0 &&
        area_.isAncestorOf(next)) {
      next->setFocus(Qt::TabFocusReason);
      return;
    }
  }
}

}  // namespace window
