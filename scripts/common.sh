# Shared by the start and test scripts: installs what the build needs from Debian's packages.
set -euo pipefail

VORMEL_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VORMEL_PACKAGES=(g++ cmake ninja-build qt6-base-dev qt6-base-dev-tools libqt6sql6-sqlite
                 libgl-dev fonts-noto-cjk poppler-utils libsqlite3-dev
                 libqt6sql6-psql libpq-dev postgresql postgresql-contrib
                 libzint-dev zbar-tools)

install_packages() {
    local missing=()
    for p in "${VORMEL_PACKAGES[@]}" "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    echo "Installing: ${missing[*]}"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# build DIR TYPE [extra cmake args...]
build_vormel() {
    local dir=$1 type=$2
    shift 2
    cmake -S "$VORMEL_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE="$type" "$@" >/dev/null
    cmake --build "$dir" -j "$(nproc)"
}
