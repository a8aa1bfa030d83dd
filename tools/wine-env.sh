# Sourced by the Wine helper scripts: the environment of the build tree's
# private Wine prefix. Expects WINEPREFIX to be set already.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Creates the prefix once, under a lock, and marks it ready; a half-made prefix
# (an interrupted first run) is thrown away and made again.
# $1: "null" for the headless display driver, "xvfb" for an X server without a
# window manager (also "x11"; Wine manages and decorates its windows itself), "desktop"
# for a user's own display.
wine_prefix_ensure() {
    local driver=${1:-null}
    [ -f "$WINEPREFIX/.ready-2" ] && return 0
    mkdir -p "$(dirname "$WINEPREFIX")"
    (
        flock 9
        if [ ! -f "$WINEPREFIX/.ready-2" ]; then
            rm -rf "$WINEPREFIX"
            wine wineboot -i >/dev/null 2>&1 </dev/null
            if [ "$driver" = null ]; then
                wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
            elif [ "$driver" = xvfb ] || [ "$driver" = x11 ]; then
                wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
                wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
            fi
            # The pages are drawn in Verdana, which Wine does not ship: a wide
            # sans-serif of similar metrics stands in for it.
            wine reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Verdana /d 'DejaVu Sans' /f \
                >/dev/null 2>&1
            # The display driver is chosen when the server starts: let this one end.
            wineserver -w
            touch "$WINEPREFIX/.ready-2"
        fi
    ) 9>"$WINEPREFIX.lock"
}
