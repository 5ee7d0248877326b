#!/usr/bin/env bash
# Builds and runs the table benchmarks (100 000 and 1 000 000 archive rows).
# The generated archives are kept in build/bench-data; arguments go to
# Google Benchmark, e.g. --benchmark_filter=Rename.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

ztd_install_packages
ztd_configure_and_build tables_bench
ztd_stage "Messe (beim ersten Lauf werden die Testarchive erzeugt)"
export ZTD_BENCH_DATA="${ZTD_BENCH_DATA:-$ZTD_BUILD/bench-data}"
exec "$ZTD_BUILD/bench/tables_bench" "$@"
