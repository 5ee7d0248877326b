#!/usr/bin/env bash
# Builds the Debian package build/package/ztd_<version>_<arch>.deb from the
# Release build: install it with `sudo apt install ./build/package/ztd_*.deb`.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

ZTD_PACKAGES+=(dpkg-dev) # dpkg-shlibdeps finds the libraries the package depends on
ztd_install_packages
ZTD_QUIET_BUILD=1 ztd_configure_and_build ztd ztd-sim
ztd_stage "Packe in $ZTD_BUILD/package"
rm -rf "$ZTD_BUILD/package"
(cd "$ZTD_BUILD" && cpack -G DEB -B "$ZTD_BUILD/package" >"$ZTD_BUILD/package.log" 2>&1) ||
    { cat "$ZTD_BUILD/package.log"; exit 1; }
rm -rf "$ZTD_BUILD/package/_CPack_Packages"
ls "$ZTD_BUILD"/package/*.deb
