# Sourced: start_display starts one private Xvfb (unless a display is given) and sets
# DISPLAY; stop_display stops only that Xvfb.
KESTROVA_XVFB_PID=""

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
}

stop_display() {
    if [ -n "$KESTROVA_XVFB_PID" ]; then
        kill "$KESTROVA_XVFB_PID" 2>/dev/null || true
        wait "$KESTROVA_XVFB_PID" 2>/dev/null || true
        KESTROVA_XVFB_PID=""
    fi
}
