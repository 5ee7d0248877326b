# Shared set-up of ./run and ./test: installs what is missing from Debian's
# packages and configures and builds the program. Sourced, not run.

ZTD_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ZTD_BUILD="$ZTD_ROOT/build"

ZTD_PACKAGES=(
    cmake ninja-build g++ ccache clang-format
    qt6-base-dev qt6-serialport-dev libqt6sql6-sqlite qt6-qpa-plugins qt6-translations-l10n
    libgtest-dev libgmock-dev libsqlite3-dev pxlib-dev pkg-config libqrencode-dev zbar-tools
    libbenchmark-dev
    fonts-liberation2 xvfb xauth poppler-utils desktop-file-utils
    cups printer-driver-cups-pdf
    postgresql libqt6sql6-psql libpq-dev
)
# Only scripts/bench.sh needs these: the reference the export is measured against.
ZTD_BENCH_PACKAGES=(sqlite3)

ztd_stage() { printf '==> %s\n' "$*"; }

# ztd_opens_window ARGS... : true when the program, started with ARGS, opens its
# main window and so needs a display. --data and --port alone open it; every
# other argument (help, version, export, PDF, a mistake) is answered in the
# terminal.
ztd_opens_window() {
    while [ $# -gt 0 ]; do
        case "$1" in
        --data | --port) [ $# -ge 2 ] || return 1; shift 2 ;;
        --data=* | --port=*) shift ;;
        *) return 1 ;;
        esac
    done
}

ztd_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Pakete fehlen und es gibt weder root-Rechte noch sudo: $*" >&2
        return 1
    fi
}

ztd_install_packages() {
    local missing=() pkg
    for pkg in "${ZTD_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$pkg")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        ztd_stage "Pakete: alle vorhanden"
        return 0
    fi
    ztd_stage "Installiere Pakete: ${missing[*]}"
    ztd_as_root apt-get update -qq >/dev/null || return 1
    ztd_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq \
        "${missing[@]}" >/dev/null || return 1
}

# How ztd_configure_and_build configures: Release unless a script says otherwise.
ZTD_BUILD_KIND="Release"
ZTD_CONFIGURE_ARGS=(-DCMAKE_BUILD_TYPE=Release)

# ztd_configure_and_build TARGET... : configures $ZTD_BUILD and builds the targets.
ztd_configure_and_build() {
    local launcher=()
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    ztd_stage "Konfiguriere ($ZTD_BUILD_KIND) in $ZTD_BUILD"
    mkdir -p "$ZTD_BUILD"
    cmake -S "$ZTD_ROOT" -B "$ZTD_BUILD" -G Ninja "${ZTD_CONFIGURE_ARGS[@]}" "${launcher[@]}" \
        >"$ZTD_BUILD/configure.log" 2>&1 || { cat "$ZTD_BUILD/configure.log"; return 1; }
    ztd_stage "Baue $*"
    if [ -z "${ZTD_QUIET_BUILD:-}" ]; then
        cmake --build "$ZTD_BUILD" --parallel 2 --target "$@" || return 1
        return 0
    fi
    # The compiler's progress stays in the log unless the build fails.
    cmake --build "$ZTD_BUILD" --parallel 2 --target "$@" >"$ZTD_BUILD/build.log" 2>&1 ||
        { cat "$ZTD_BUILD/build.log"; echo "Der Bau ist fehlgeschlagen (Protokoll: $ZTD_BUILD/build.log)." >&2; return 1; }
}
