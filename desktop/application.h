// Application-wide settings the window relies on, shared by the program and
// the window tests so both see the same look.
#pragma once

#include <QApplication>

namespace desktop {

// The reverse-DNS id that names the desktop entry, the icon and the
// AppStream data; the build defines it once for all of them.
inline constexpr char kApplicationId[] = ZIMARELA_APP_ID;

// Call once the QApplication exists. Picks the Fusion style and its light
// palette, so that the colours and geometry come out the same on every
// desktop, dark themes included; has Qt's own texts come in Bulgarian; and sets
// the names and icon the desktop shows. A second call does nothing.
void ConfigureApplication();

}  // namespace desktop
