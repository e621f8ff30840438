# Sourced by the run and test commands: installs the Debian packages they need, if missing.
kp_ensure_packages() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
      missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Compilers, Qt and the fonts the windows are laid out with (Polish letters included).
KP_BUILD_PACKAGES=(cmake make g++ qt6-base-dev fonts-liberation2 fonts-dejavu-core)
# Test tools; a real X server with what drives it, for the end-to-end checks; and the Windows
# cross build with Wine to run it, and NSIS for its installer.
KP_TEST_PACKAGES=(libgtest-dev libgmock-dev googletest python3 xvfb xauth xdotool imagemagick
                  mingw-w64 g++-mingw-w64-x86-64-posix wine wine64 nsis
                  desktop-file-utils appstream shared-mime-info libglib2.0-bin dpkg-dev lintian
                  clang libclang-rt-14-dev)
