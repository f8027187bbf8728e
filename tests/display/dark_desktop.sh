#!/bin/sh
# Puts a command on a dark desktop, as Qt finds one on X11:
#   dark_desktop.sh gtk3 CONFIG COMMAND...   GNOME's dark style, as Qt's gtk3
#                                            platform theme reads it
#   dark_desktop.sh kde CONFIG COMMAND...    Plasma's Breeze Dark, as Qt's own
#                                            KDE theme reads kdeglobals
#   dark_desktop.sh qt6ct CONFIG COMMAND...  qt6ct's "darker"
# CONFIG, a folder of the run's own, becomes XDG_CONFIG_HOME, so nothing of
# the user's own desktop is read. ZIMARELA_DARK_DESKTOP=1 promises the tests
# a dark desktop palette, and they fail if it never turned dark. A theme
# whose plugin is missing cannot be put there, which ctest learns from
# status 77: skipped. ZIMARELA_QT_PLUGINS names Qt's plugin folder.
set -eu
theme=$1
config=$2
shift 2
plugins=${ZIMARELA_QT_PLUGINS:-}
need_file() {
  [ -e "$1" ] && return 0
  echo "dark_desktop.sh: $1 is missing, so the $theme run is skipped" >&2
  exit 77
}
mkdir -p "$config"

case $theme in
  gtk3)
    # The theme plugin comes with qt6-gtk-platformtheme, which Qt's own GUI
    # library recommends.
    need_file "$plugins/platformthemes/libqgtk3.so"
    exec env -u QT_QPA_PLATFORMTHEME -u KDE_SESSION_VERSION XDG_CONFIG_HOME="$config" \
      ZIMARELA_DARK_DESKTOP=1 XDG_CURRENT_DESKTOP=GNOME QT_QPA_PLATFORMTHEME=gtk3 \
      GTK_THEME=Adwaita:dark "$@"
    ;;
  kde)
    # Plasma's colours as Plasma writes them; with no Plasma plugin
    # installed Qt's built-in KDE theme reads them.
    cat >"$config/kdeglobals" <<'COLOURS'
[General]
ColorScheme=BreezeDark

[Colors:Button]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241

[Colors:Selection]
BackgroundNormal=61,174,233
ForegroundNormal=252,252,252

[Colors:Tooltip]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241

[Colors:View]
BackgroundNormal=35,38,41
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199

[Colors:Window]
BackgroundNormal=49,54,59
ForegroundNormal=239,240,241
ForegroundInactive=189,195,199
COLOURS
    exec env -u QT_QPA_PLATFORMTHEME -u GTK_THEME XDG_CONFIG_HOME="$config" \
      ZIMARELA_DARK_DESKTOP=1 XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5 "$@"
    ;;
  qt6ct)
    # A desktop user's choice in qt6ct. The tests may rewrite the file to
    # change the scheme while the game runs.
    need_file "$plugins/platformthemes/libqt6ct.so"
    need_file /usr/share/qt6ct/colors/darker.conf
    mkdir -p "$config/qt6ct"
    printf '[Appearance]\ncolor_scheme_path=%s\ncustom_palette=true\n' \
      /usr/share/qt6ct/colors/darker.conf >"$config/qt6ct/qt6ct.conf"
    exec env -u GTK_THEME -u XDG_CURRENT_DESKTOP -u KDE_SESSION_VERSION \
      XDG_CONFIG_HOME="$config" ZIMARELA_DARK_DESKTOP=1 QT_QPA_PLATFORMTHEME=qt6ct \
      ZIMARELA_QT6CT_CONF="$config/qt6ct/qt6ct.conf" "$@"
    ;;
  *)
    echo "usage: dark_desktop.sh gtk3|kde|qt6ct CONFIG COMMAND..." >&2
    exit 2
    ;;
esac
