# Shared set-up for the scripts that run Windows programs: the Wine prefix, the X display
# and the dev service. Source it; call the functions you need.

QH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
QH_DEV_PORT=${QH_DEV_PORT:-47810}
export WINEPREFIX=${WINEPREFIX:-$QH_ROOT/build/wineprefix}
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe,winedbg.exe=d"
export LC_ALL=C.UTF-8

# 64-bit Wine runs everywhere; 32-bit Wine only where the machine executes 32-bit code (some
# sandboxes refuse it).
QH_WINE=/usr/lib/wine/wine64
[ -x "$QH_WINE" ] || QH_WINE=$(command -v wine64 || command -v wine)
QH_WINE32=/usr/lib/wine/wine

qh_wine() { "$QH_WINE" "$@"; }

# Whether 32-bit Windows programs run here: the 32-bit probe program must say so itself.
qh_wine32_works() {
    local probe=$QH_ROOT/build/win/tests/arch_probe.exe
    [ -x "$QH_WINE32" ] && [ -f "$probe" ] || return 1
    timeout 120 "$QH_WINE32" "$probe" >/dev/null 2>&1
    [ $? -eq 32 ]
}

# A fresh prefix under build/, made once: Chinese fonts mapped, crash dialogs and the
# debugger off, so a crashing test program simply ends.
qh_prepare_prefix() {
    [ -f "$WINEPREFIX/.qh-ready" ] && return 0
    rm -rf "$WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    qh_wine wineboot -i >/dev/null 2>&1 || true
    "${QH_WINE%/*}/wineserver" -w 2>/dev/null || wineserver -w 2>/dev/null || true
    local fonts='HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes'
    qh_wine reg add "$fonts" /v "微软雅黑" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    qh_wine reg add "$fonts" /v "Microsoft YaHei" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    qh_wine reg add "$fonts" /v "MS Shell Dlg" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    qh_wine reg add "$fonts" /v "MS Shell Dlg 2" /d "WenQuanYi Micro Hei" /f >/dev/null 2>&1
    qh_wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
    qh_wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d "qh-no-debugger" /f >/dev/null 2>&1
    qh_wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f >/dev/null 2>&1
    "${QH_WINE%/*}/wineserver" -w 2>/dev/null || true
    touch "$WINEPREFIX/.qh-ready"
}

# Starts an Xvfb display unless one is given.
qh_start_display() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then return 0; fi
    local n
    for n in $(seq 91 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
        Xvfb ":$n" -screen 0 1366x768x24 -nolisten tcp >/dev/null 2>&1 &
        QH_XVFB_PID=$!
        export DISPLAY=":$n"
        for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
    done
    echo "could not start Xvfb" >&2
    return 1
}

# It signs what it publishes with the dev and test builds' release key (made by the first
# configure under build/keys).
qh_start_devservice() {
    local bin=$QH_ROOT/build/host/devservice/devservice
    local keys=$QH_ROOT/build/keys
    "$bin" --port "$QH_DEV_PORT" --release-key "$keys/dev-release.pem" --other-key "$keys/dev-other.pem" \
        >"$QH_ROOT/build/devservice.log" 2>&1 &
    QH_DEVSERVICE_PID=$!
    for _ in $(seq 100); do
        curl -s -o /dev/null "http://127.0.0.1:$QH_DEV_PORT/__control/requests" && return 0
        sleep 0.1
    done
    echo "dev service did not start (see build/devservice.log)" >&2
    return 1
}

# Each step tolerates a process that is already gone: under "set -e" (scripts/screenshots)
# one failed kill would end the exit trap and leave the display running.
qh_stop_all() {
    [ -n "${QH_DEVSERVICE_PID:-}" ] && { kill "$QH_DEVSERVICE_PID" 2>/dev/null || true; }
    "${QH_WINE%/*}/wineserver" -k 2>/dev/null || true
    [ -n "${QH_XVFB_PID:-}" ] && { kill "$QH_XVFB_PID" 2>/dev/null || true; }
    return 0
}
