# Record list: one append with 5 000 rows present, appending and rejudging 1 000 ... 5 000 records.
lumivex_bench(bench_pages SOURCES ${CMAKE_CURRENT_LIST_DIR}/pages_bench.cpp LIBS lumivex_pages WIDGETS METER_TABLE)
