# Shared by scripts/run and scripts/test: install what is missing, configure and build.
set -euo pipefail

TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=${TARNWICK_BUILD_DIR:-$TOP/build}

# Debian packages the build and the tests need.
BUILD_PACKAGES=(cmake ninja-build g++ pkg-config desktop-file-utils appstream qt6-base-dev qt6-svg-dev libqt6svg6 libgtest-dev libgmock-dev googletest liburing-dev dpkg-dev)
# Debian packages of the Windows cross build and of its tests under Wine (locales: the Japanese
# locale those tests make for a double-byte code page; xvfb, xauth and Wine's own fonts, Tahoma
# among them: the display the window tests draw on).
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix mingw-w64-tools wine64 locales xvfb xauth fonts-wine)

ensure_packages() {
  local missing=()
  local p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=
  [ "$(id -u)" -eq 0 ] || sudo=sudo
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# One of Debian's build flags, all hardening on (dpkg-buildflags); from the top folder, which its
# -ffile-prefix-map takes as the root of the paths in the debugging information.
debian_flags() {
  (cd "$TOP" && DEB_BUILD_MAINT_OPTIONS=hardening=+all dpkg-buildflags --get "$1")
}

# The scripts build as a distribution does, Release with Debian's flags, and with warnings as
# errors.
configure_and_build() {
  cmake -S "$TOP" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARNWICK_WERROR=ON \
    -DCMAKE_CXX_FLAGS="$(debian_flags CPPFLAGS) $(debian_flags CXXFLAGS)" \
    -DCMAKE_EXE_LINKER_FLAGS="$(debian_flags LDFLAGS)" "$@"
  cmake --build "$BUILD"
}

# Starts an Xvfb display on a free number for the window tests and exports DISPLAY; the server
# ends with the script (stop_display).
start_display() {
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  DISPLAY_PID=$!
  local tries=0
  while [ ! -s "$number" ] && [ $tries -lt 100 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  export DISPLAY=":$(cat "$number")"
  rm -f "$number"
  [ "$DISPLAY" != ":" ] || { echo "Xvfb did not start" >&2; return 1; }
}

stop_display() {
  [ -z "${DISPLAY_PID:-}" ] || kill "$DISPLAY_PID" 2>/dev/null || true
}
