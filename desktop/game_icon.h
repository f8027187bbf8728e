// The hamburger the window, the task bar and the menus show.
#pragma once

#include <QIcon>

namespace desktop {

QIcon GameIcon();

}  // namespace desktop
