#!/bin/sh
# Runs a command with an accessibility bus on the session bus it was given
# (dbus-run-session), as a desktop with a screen reader has one. Without a
# display the command runs as it is and finds no bus.
if [ -n "$DISPLAY" ] && [ -x /usr/libexec/at-spi-bus-launcher ]; then
  /usr/libexec/at-spi-bus-launcher --launch-immediately &
  launcher=$!
  trap 'kill $launcher 2>/dev/null' EXIT
  sleep 0.3
else
  export QT_QPA_PLATFORM=offscreen
fi
"$@"
