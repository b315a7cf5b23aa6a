# SPDX-FileCopyrightText: 2026 Zerfallsfrist developers
# SPDX-License-Identifier: GPL-3.0-or-later
#
# For the tests' shell scripts, sourced: a virtual X server of their own.
#     start_xvfb <colour depth>    starts one on the first free display of :200 to :229 and
#                                  exports DISPLAY; returns non-zero if none would start
#     stop_xvfb                    stops the server that start_xvfb started

xvfb_pid=''

start_xvfb() {
    n=200
    while [ "$n" -le 229 ]; do
        if [ ! -e "/tmp/.X$n-lock" ]; then
            Xvfb ":$n" -nolisten tcp -screen 0 "1280x1024x$1" >/dev/null 2>&1 &
            xvfb_pid=$!
            # Up once it holds the display's lock and answers; gone at once if another server
            # took the display first.
            tries=0
            while kill -0 "$xvfb_pid" 2>/dev/null && [ "$tries" -lt 100 ]; do
                if [ "$(cat "/tmp/.X$n-lock" 2>/dev/null | tr -d ' ')" = "$xvfb_pid" ] &&
                    xwininfo -root -display ":$n" >/dev/null 2>&1; then
                    DISPLAY=:$n
                    export DISPLAY
                    return 0
                fi
                tries=$((tries + 1))
                sleep 0.1
            done
            stop_xvfb
        fi
        n=$((n + 1))
    done
    return 1
}

stop_xvfb() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
        xvfb_pid=''
    fi
}
