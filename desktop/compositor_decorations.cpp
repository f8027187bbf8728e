#include "desktop/compositor_decorations.h"

#include <wayland-client.h>

#include <QGuiApplication>
#include <cstdint>
#include <cstring>

namespace desktop {
namespace {

constexpr char kDecorationManager[] = "zxdg_decoration_manager_v1";

void OnGlobal(void* offered, wl_registry* /*registry*/, std::uint32_t /*name*/,
              const char* interface, std::uint32_t /*version*/) {
  if (std::strcmp(interface, kDecorationManager) == 0) *static_cast<bool*>(offered) = true;
}

void OnGlobalRemove(void* /*offered*/, wl_registry* /*registry*/, std::uint32_t /*name*/) {}

constexpr wl_registry_listener kListener = {&OnGlobal, &OnGlobalRemove};

// The compositor lists its globals in answer to the first round trip. A
// connection that fails or breaks reads as "not offered": the game then
// draws its own title bar, which works on every compositor.
bool RegistryOffersDecorations() {
  wl_display* display = wl_display_connect(nullptr);
  if (display == nullptr) return false;
  bool offered = false;
  wl_registry* registry = wl_display_get_registry(display);
  wl_registry_add_listener(registry, &kListener, &offered);
  if (wl_display_roundtrip(display) < 0) offered = false;
  wl_registry_destroy(registry);
  wl_display_disconnect(display);
  return offered;
}

}  // namespace

bool OnWayland() { return QGuiApplication::platformName().startsWith(QLatin1String("wayland")); }

bool CompositorDrawsTitleBars() {
  if (!OnWayland()) return false;
  static const bool offered = RegistryOffersDecorations();
  return offered;
}

}  // namespace desktop
