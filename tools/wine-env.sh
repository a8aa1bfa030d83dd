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
            # In code page 932 the page font links to a Japanese font
            # (fonts-ipafont-gothic) for the characters it lacks, as
            # Windows links its fonts to one on a Japanese system.
            if [ "${NVN_CODE_PAGE:-}" = 932 ]; then
                for face in Verdana 'DejaVu Sans'; do
                    wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\FontLink\SystemLink' \
                        /v "$face" /t REG_MULTI_SZ /d 'ipag.ttf,IPAGothic' /f >/dev/null 2>&1
                done
            fi
            # The display driver is chosen when the server starts: let this one end.
            wineserver -w
            touch "$WINEPREFIX/.ready-2"
        fi
    ) 9>"$WINEPREFIX.lock"
}

# Runs the Wine programs started from here in the ANSI code page of a
# Japanese system, 932 (Shift-JIS). Wine takes a process's code page from its
# Unix locale: ja_JP is compiled once with localedef into a folder beside the
# prefix and found through LOCPATH, so nothing on the system changes. Such a
# prefix is kept apart from the others, as Wine writes the locale's regional
# settings into the prefix's registry.
# $1: the code page; only 932 is known.
wine_code_page() {
    [ "$1" = 932 ] || { echo "wine-env: no locale known for code page $1" >&2; return 2; }
    local dir="$WINEPREFIX.locale"
    if [ ! -f "$dir/.ready" ]; then
        mkdir -p "$dir"
        (
            flock 9
            if [ ! -f "$dir/.ready" ]; then
                localedef -i ja_JP -f UTF-8 "$dir/ja_JP.UTF-8" >/dev/null 2>&1 &&
                    touch "$dir/.ready"
            fi
        ) 9>"$dir.lock"
        [ -f "$dir/.ready" ] || { echo "wine-env: localedef could not make ja_JP.UTF-8" >&2; return 1; }
    fi
    export LOCPATH="$dir"
    NVN_CODE_PAGE=$1
    # Bash itself cannot switch to the locale it has not loaded: say nothing.
    { export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8; } 2>/dev/null
}
