# Shared by scripts/package-windows and scripts/test-windows-package: where the Windows packages
# are built, and how the installer is made.

# The cross build in Release, apart from the tests' build, and the packages made from it.
WIN_RELEASE=$BUILD-win64-release
WIN_PACKAGES=$WIN_RELEASE/package

# Sets version (the project's, 1.0), msi_version (as Windows Installer counts, 1.0.0) and name
# (the packages' name without extension) from the configured release build.
read_release_version() {
  local major minor patch
  version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$WIN_RELEASE/CMakeCache.txt")
  IFS=. read -r major minor patch _ <<<"$version"
  msi_version=$major.$minor.${patch:-0}
  name=tarnwick-$version-win64
}

# make_msi OUTPUT VERSION FOLDER: the installer of the programs and README.txt that lie in FOLDER,
# as version VERSION (three numbers). wixl passes over attributes it does not know with no more
# than a warning, and such an installer would lack what the attribute asked for: a warning fails.
# wixl finds the files only by paths relative to the current directory.
make_msi() {
  local out
  out=$(cd "$TOP" && wixl --arch x64 -D Version="$2" -D BinDir="$(realpath --relative-to=. "$3")" \
    -D Icon=assets/windows/tarnwick.ico -o "$1" dist/windows/tarnwick.wxs 2>&1) ||
    { echo "$out" >&2; return 1; }
  if [ -n "$out" ]; then
    echo "$out" >&2
    return 1
  fi
}
