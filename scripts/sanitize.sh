#!/usr/bin/env bash
# Builds the program and every test in Debug with AddressSanitizer and
# UndefinedBehaviorSanitizer (build-sanitize/) and runs them all there; the
# first finding ends the program under test, so its test fails. CI runs this
# after ./test.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
source "$(dirname "$0")/print-server.sh"
source "$(dirname "$0")/database-server.sh"

ZTD_BUILD="$ZTD_ROOT/build-sanitize"
ZTD_BUILD_KIND="Debug, address,undefined"
ZTD_CONFIGURE_ARGS=(-DCMAKE_BUILD_TYPE=Debug -DZTD_SANITIZE=address,undefined
    -DZTD_BUILD_BENCH=OFF)

ztd_install_packages
ztd_configure_and_build all

trap 'ztd_stop_print_server; ztd_stop_database_server' EXIT
ztd_start_print_server
ztd_start_database_server

ztd_stage "Teste unter den Sanitizern"
export QT_QPA_PLATFORM=offscreen
export XDG_RUNTIME_DIR="${XDG_RUNTIME_DIR:-$(mktemp -d)}"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
cd "$ZTD_BUILD"
ctest --output-on-failure --parallel 2
