// The hamburger the window, the task bar and the menus show.
#pragma once

#include <QIcon>

namespace window {

QIcon GameIcon();

}  // namespace window
