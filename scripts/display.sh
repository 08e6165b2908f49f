# Sourced: start_display starts one private Xvfb with a window manager (unless a display
# is given) and sets DISPLAY; stop_display stops only those two.
# Without a window manager Wine waits 2 s for every visible window it hides or destroys.
KESTROVA_XVFB_PID=""
KESTROVA_WM_PID=""

start_display() {
    if [ -n "${DISPLAY:-}" ] && [ "${KESTROVA_FORCE_XVFB:-0}" != 1 ]; then
        return
    fi
    local fifo; fifo=$(mktemp -u)
    mkfifo "$fifo"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
    KESTROVA_XVFB_PID=$!
    local number; read -r number <"$fifo"
    rm -f "$fifo"
    export DISPLAY=":$number"
    openbox >/dev/null 2>&1 &
    KESTROVA_WM_PID=$!
    local i
    for i in $(seq 1 50); do
        xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
        sleep 0.1
    done
}

stop_display() {
    if [ -n "$KESTROVA_WM_PID" ]; then
        kill "$KESTROVA_WM_PID" 2>/dev/null || true
        wait "$KESTROVA_WM_PID" 2>/dev/null || true
        KESTROVA_WM_PID=""
    fi
    if [ -n "$KESTROVA_XVFB_PID" ]; then
        kill "$KESTROVA_XVFB_PID" 2>/dev/null || true
        wait "$KESTROVA_XVFB_PID" 2>/dev/null || true
        KESTROVA_XVFB_PID=""
    fi
}
