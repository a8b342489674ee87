# Rejudging 10 000 records on the shown comparison page, next to the same on a hidden one.
lumivex_bench(bench_pages SOURCES ${CMAKE_CURRENT_LIST_DIR}/pages_bench.cpp LIBS lumivex_pages WIDGETS METER_TABLE)
