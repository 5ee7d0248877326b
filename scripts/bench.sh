#!/usr/bin/env bash
# Builds and runs the benchmarks at 100 000 and 1 000 000 archive rows: the
# table store (tables_bench), then the archive's bulk steps and its window
# (archive_bench), then the automatic backup (backup_bench), on SQLite files;
# then the table store and the archive again on a throwaway PostgreSQL
# cluster set up as a small real server. The generated archives and protocol
# files are kept in $ZTD_BENCH_DATA (default build/bench-data); arguments go
# to each program (Google Benchmark), e.g. --benchmark_filter=Rename.
set -euo pipefail
source "$(dirname "$0")/setup.sh"
source "$(dirname "$0")/database-server.sh"

ZTD_PACKAGES+=("${ZTD_BENCH_PACKAGES[@]}")
ztd_install_packages
ztd_configure_and_build tables_bench archive_bench backup_bench
ztd_stage "Messe (beim ersten Lauf werden die Testarchive erzeugt)"
export ZTD_BENCH_DATA="${ZTD_BENCH_DATA:-$ZTD_BUILD/bench-data}"
unset ZTD_BENCH_POSTGRES
"$ZTD_BUILD/bench/tables_bench" "$@"
"$ZTD_BUILD/bench/archive_bench" "$@"
"$ZTD_BUILD/bench/backup_bench" "$@"

# Every write on the disk when it commits, and a buffer cache as a small
# server would be given.
ZTD_POSTGRES_SETTINGS="-c shared_buffers=256MB -c fsync=on -c synchronous_commit=on \
-c full_page_writes=on"
trap 'ztd_stop_database_server' EXIT
ztd_start_database_server
[ -n "${ZTD_TEST_POSTGRES:-}" ] || { ztd_stage "Die Messung auf dem Datenbankserver entfällt"; exit 0; }
ztd_stage "Messe auf dem Datenbankserver (beim ersten Lauf werden die Archive kopiert)"
export ZTD_BENCH_POSTGRES="$ZTD_TEST_POSTGRES"
"$ZTD_BUILD/bench/tables_bench" "$@"
"$ZTD_BUILD/bench/archive_bench" "$@"
