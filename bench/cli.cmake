# SPDX-License-Identifier: Apache-2.0
# lumivex-cli records of 2000 stored records against the USB full-speed limit; the protocol trace
# on against off.
lumivex_bench(bench_cli SOURCES ${CMAKE_CURRENT_LIST_DIR}/cli_bench.cpp LIBS lumivex_cli_commands CORE METER_TABLE)
