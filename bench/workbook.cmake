# Comparison workbook export and import of 10 000 records; download of 2000 stored records from the simulator.
lumivex_bench(bench_workbook SOURCES ${CMAKE_CURRENT_LIST_DIR}/workbook_bench.cpp LIBS lumivex_pages lumivex_sim WIDGETS)
