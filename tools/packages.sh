# Sourced by the run and test commands: installs the Debian packages the build needs, if missing.
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

KP_BUILD_PACKAGES=(cmake make g++ qt6-base-dev libgtest-dev libgmock-dev)
