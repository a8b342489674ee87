# SPDX-License-Identifier: Apache-2.0
# Batch statistics over 10 000 records and the batch PDF of 1 000 records.
lumivex_bench(bench_batch SOURCES ${CMAKE_CURRENT_LIST_DIR}/batch_bench.cpp LIBS lumivex_core WIDGETS)
