#!/bin/sh
# Reads the client's side of the Wayland wire (WAYLAND_DEBUG=client) of a
# run on sway: the game must have asked for a decoration, and sway must
# have answered that it draws it (server-side, mode 2).
#   sway_decoration.sh WIRE
set -eu
wire=$1
# libwayland names objects "name@id" up to 1.21 (Debian 12) and "name#id",
# after the queue's name, from 1.22 on (Debian 13).
if ! grep -q -E -- '-> zxdg_decoration_manager_v1[@#][0-9]+\.get_toplevel_decoration\(' "$wire"; then
  echo "sway_decoration.sh: the game never asked sway for a decoration" >&2
  exit 1
fi
if ! grep -q -E '\] (\{[^}]*\} )?zxdg_toplevel_decoration_v1[@#][0-9]+\.configure\(2\)' "$wire"; then
  echo "sway_decoration.sh: sway never answered with a server-side decoration" >&2
  exit 1
fi
