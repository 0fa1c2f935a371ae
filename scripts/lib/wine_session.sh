# Sourced by the scripts: a headless X server and a throwaway Wine prefix for one run.
#
#   wine_session_start <folder>   starts Xvfb (1920x1080) and a persistent wineserver with the
#                                 prefix <folder>/wineprefix, exports DISPLAY and WINE* variables
#   wine_session_stop             stops them and removes the prefix (also on error, via trap)
#   wine_session_boot_prefix [WxH] boots a new prefix at $WINEPREFIX (on a virtual desktop of WxH)
#
# KOLOROWISKO_ARCH (scripts/lib/arch.sh) chooses the Wine: i686 runs Debian's wine as it is, in a
# 32-bit prefix; x86_64 runs wine64 alone, in a 64-bit prefix.

WINE_SESSION_SCREEN=${WINE_SESSION_SCREEN:-1920x1080}
wine_session_xvfb_pid=""
wine_session_folder=""
wine_session_checkout=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

wine_session_free_display() {
  local n
  for n in $(seq 91 140); do
    if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then
      echo "$n"
      return 0
    fi
  done
  return 1
}

wine_session_start() {
  wine_session_folder=$(mkdir -p "$1" && cd "$1" && pwd)
  local display
  display=$(wine_session_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$display" -screen 0 "${WINE_SESSION_SCREEN}x24" -nolisten tcp \
    >"$wine_session_folder/xvfb.log" 2>&1 &
  wine_session_xvfb_pid=$!
  export DISPLAY=":$display"
  local i
  for i in $(seq 1 100); do
    xdpyinfo >/dev/null 2>&1 && break
    sleep 0.1
  done
  xdpyinfo >/dev/null 2>&1 || { echo "Xvfb did not start" >&2; return 1; }

  export WINEPREFIX="$wine_session_folder/wineprefix"
  wine_session_choose_wine
  export WINEDEBUG=-all
  # Polish ANSI code page (1250), as on the users' machines.
  export LC_ALL=pl_PL.UTF-8
  wine_session_boot_prefix "$WINE_SESSION_SCREEN"
}

# Boots a new prefix at $WINEPREFIX, its server left running. With a size, every process of the
# prefix shows on one virtual desktop of that size, with a taskbar and its notification area, so
# that windows and tray icons can be seen and found; without one, on the X display itself.
wine_session_boot_prefix() {
  local desktop=$1
  # No .NET or Gecko installers: nothing may ask a question during a headless run.
  export WINEDLLOVERRIDES="mscoree=;mshtml="
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  # One server for the whole run: each later wine call then starts in a fraction of a second.
  wineserver -p
  wineboot -i >"$WINEPREFIX/../wineboot.log" 2>&1
  if [ -n "$desktop" ]; then
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell /d "$desktop" /f \
      >/dev/null 2>&1
  fi
  # The stand-in service's test CA, in the current user's Root store (Wine re-syncs the local
  # machine's with the host's). Before any https request: a process that made one already does
  # not see a CA added later.
  wine reg import "$wine_session_checkout/tools/service/tls/ca.reg" >/dev/null 2>&1
  export WINEDLLOVERRIDES="mscoree="
  # In a prefix just booted, starting the RpcSs service times out, and the desktop's explorer
  # waits for it: every later process that opens a window or a GDI+ drawing surface would wait
  # 10 s. Services started by a fresh server start at once.
  wineserver -k
  wineserver -w
  wineserver -p
  # Wait until the prefix answers quickly (wineboot's leftovers have settled).
  wine cmd /c exit >/dev/null 2>&1 || true
}

# Debian's `wine` takes the 32-bit loader whenever wine32 is installed, and that loader cannot start
# on a kernel without 32-bit programs. For x86_64 the session puts `wine` and `wineserver` first on
# PATH as wine64's own, so that every caller (ctest's emulator, the tests, wineboot) gets them.
wine_session_choose_wine() {
  if [ "${KOLOROWISKO_ARCH:-i686}" = i686 ]; then
    export WINEARCH=win32
    return 0
  fi
  export WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64
  export WINESERVER=/usr/lib/wine/wineserver64
  local bin=$wine_session_folder/bin name
  mkdir -p "$bin"
  for name in wine wine-stable wine64; do
    printf '#!/bin/sh\nexec %s "$@"\n' "$WINELOADER" >"$bin/$name"
  done
  printf '#!/bin/sh\nexec %s "$@"\n' "$WINESERVER" >"$bin/wineserver"
  chmod +x "$bin"/*
  case ":$PATH:" in *":$bin:"*) ;; *) export PATH="$bin:$PATH" ;; esac
}

wine_session_stop() {
  if [ -n "${WINEPREFIX:-}" ]; then
    wineserver -k >/dev/null 2>&1 || true
  fi
  if [ -n "$wine_session_xvfb_pid" ]; then
    kill "$wine_session_xvfb_pid" >/dev/null 2>&1 || true
    wait "$wine_session_xvfb_pid" 2>/dev/null || true
    wine_session_xvfb_pid=""
  fi
  if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
    rm -rf "$WINEPREFIX"
  fi
}
