# shellcheck shell=bash
# Shared set-up of run.sh and test.sh: sourced, not run.

KLU_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
KLU_JOBS="${KLU_JOBS:-2}"

KLU_PACKAGES=(
    cmake ninja-build g++ clang libclang-rt-14-dev
    libgtest-dev libbenchmark-dev nlohmann-json3-dev
    qt6-base-dev libpng-dev libsdl2-dev libzip-dev pkg-config fonts-liberation
    xvfb imagemagick xdotool poppler-utils adwaita-icon-theme
    desktop-file-utils appstream shared-mime-info libglib2.0-bin groff-base dpkg-dev lintian
    chromium chromium-driver python3-selenium
)

klu_package_installed() {
    dpkg -s "$1" 2>/dev/null | grep -q '^Status: install ok installed'
}

# Installs the Debian packages the build and the tests need; the package lists are only
# refreshed when something is missing.
klu_install_packages() {
    local missing=() package
    for package in "${KLU_PACKAGES[@]}"; do
        klu_package_installed "$package" || missing+=("$package")
    done
    if ((${#missing[@]} == 0)); then
        return 0
    fi
    echo "== installing ${missing[*]}"
    local sudo=()
    if ((EUID != 0)); then
        sudo=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -q
    "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# klu_configure DIR COMPILER [cmake options...]: configures a Ninja build of the project in
# DIR. An earlier configuration is kept when it used the same compiler (under any of its names)
# and Ninja; otherwise DIR is made again from scratch.
klu_configure() {
    local dir="$1" compiler="$2"
    shift 2
    local cache="$dir/CMakeCache.txt" wanted cached
    wanted="$(readlink -f "$(command -v "$compiler")")"
    if [[ -f "$cache" ]]; then
        cached="$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' "$cache")"
        if [[ "$(readlink -f "$cached")" != "$wanted" ]] ||
            ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$cache"; then
            rm -rf "$dir"
        fi
    fi
    if [[ -f "$cache" ]]; then
        cmake -S "$KLU_ROOT" -B "$dir" "$@"
    else
        cmake -S "$KLU_ROOT" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER="$compiler" "$@"
    fi
}

# klu_build DIR [cmake --build options...]
klu_build() {
    local dir="$1"
    shift
    cmake --build "$dir" -j "$KLU_JOBS" "$@"
}
