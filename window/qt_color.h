// The layout keeps colours as 0xRRGGBB; Qt wants QColor.
#pragma once

#include <QColor>
#include <cstdint>

namespace window {

inline QColor ToColor(std::uint32_t rgb) { return QColor::fromRgb(static_cast<QRgb>(rgb)); }

}  // namespace window
