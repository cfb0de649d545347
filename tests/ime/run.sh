#!/usr/bin/env bash
# Types into the built program through a real Japanese input method: IBus
# with Mozc, on a private X server and D-Bus session, with real keys
# (xdotool), reading the fields back through the accessibility bus
# (imetyping.py). Usage: run.sh BIN_DIR
#
# Mozc refuses to run as root and ibus-daemon serves only its own user, so
# under root the whole session runs as "nobody" with a private HOME. Where
# the input method cannot start, the test says so and is skipped (77).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
skip() { echo "IME test skipped: $*"; exit 77; }

if [ "${1:-}" != "--session" ]; then
  bin="$(cd "${1:?usage: run.sh BIN_DIR}" && pwd)"
  for tool in ibus-daemon ibus Xvfb dbus-run-session xdotool setpriv /usr/bin/python3; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (scripts/setup.sh installs it)"
  done
  [ -x /usr/lib/ibus-mozc/ibus-engine-mozc ] || skip "ibus-mozc is not installed (scripts/setup.sh installs it)"
  [ -x /usr/libexec/at-spi-bus-launcher ] || skip "at-spi2-core is not installed"
  /usr/bin/python3 -c 'import pyatspi' 2>/dev/null || skip "python3-pyatspi is not installed"

  work="$(mktemp -d /tmp/vendara-ime.XXXXXX)"
  trap 'rm -rf "$work"' EXIT
  mkdir -p "$work/app" "$work/home" "$work/run"
  cp "$bin/vendara" "$work/app/"
  cp -r "$bin/Dat" "$work/app/"
  [ -d "$bin/help" ] && cp -r "$bin/help" "$work/app/"
  [ -f "$bin/vendara.ini" ] && cp "$bin/vendara.ini" "$work/app/"
  cp "$here/run.sh" "$here/imetyping.py" "$work/"
  chmod 700 "$work/run"
  run=(env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME="$work/home" XDG_RUNTIME_DIR="$work/run"
       LANG=C.UTF-8 VENDARA_IME_KEEP="${VENDARA_IME_KEEP:-}"
       ASAN_OPTIONS="${ASAN_OPTIONS:-}" UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" bash "$work/run.sh" --session "$work")
  if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody:nogroup "$work"
    chmod 755 "$work"
    setpriv --reuid=nobody --regid=nogroup --clear-groups "${run[@]}"
  else
    "${run[@]}"
  fi
  rc=$?
  [ -n "${VENDARA_IME_KEEP:-}" ] && cp -r "$work/home/shots" "$VENDARA_IME_KEEP" 2>/dev/null
  exit $rc
fi

# --- inside the private session, as the unprivileged user ---
work="$2"
cd "$work" || exit 1
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
[ -s "$work/display" ] || skip "Xvfb did not start: $(tail -1 "$work/xvfb.log")"
export DISPLAY=":$(head -1 "$work/display")"
trap 'kill $xvfb 2>/dev/null' EXIT

exec dbus-run-session -- bash -c '
  skip() { echo "IME test skipped: $*"; exit 77; }
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  ibus-daemon --single --panel=disable --emoji-extension=disable >"$1/ibus.log" 2>&1 &
  for _ in $(seq 50); do ibus engine >/dev/null 2>&1 && break; sleep 0.2; done
  ibus engine mozc-jp >/dev/null 2>&1
  for _ in $(seq 25); do [ "$(ibus engine 2>/dev/null)" = mozc-jp ] && break; sleep 0.2; ibus engine mozc-jp >/dev/null 2>&1; done
  [ "$(ibus engine 2>/dev/null)" = mozc-jp ] || skip "IBus did not start with Mozc ($(tail -1 "$1/ibus.log"))"
  export QT_IM_MODULE=ibus QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
  /usr/bin/python3 "$1/imetyping.py" "$1"' _ "$work" 2> >(grep -v "dbus-daemon\|SpiRegistry\|XDG_RUNTIME" >&2)
