#!/usr/bin/env bash
# Builds and runs the benchmarks at 100 000 and 1 000 000 archive rows: the
# table store (tables_bench), then the archive's bulk steps and its window
# (archive_bench), then the automatic backup (backup_bench). The generated
# archives and protocol files are kept in $ZTD_BENCH_DATA (default
# build/bench-data); arguments go to each program (Google Benchmark), e.g.
# --benchmark_filter=Rename.
set -euo pipefail
source "$(dirname "$0")/setup.sh"

ZTD_PACKAGES+=("${ZTD_BENCH_PACKAGES[@]}")
ztd_install_packages
ztd_configure_and_build tables_bench archive_bench backup_bench
ztd_stage "Messe (beim ersten Lauf werden die Testarchive erzeugt)"
export ZTD_BENCH_DATA="${ZTD_BENCH_DATA:-$ZTD_BUILD/bench-data}"
"$ZTD_BUILD/bench/tables_bench" "$@"
"$ZTD_BUILD/bench/archive_bench" "$@"
"$ZTD_BUILD/bench/backup_bench" "$@"
