# Workbook save and read of a 10 000 × 36 sheet, with raw libxlsxwriter as the yardstick.
lumivex_bench(bench_files SOURCES ${CMAKE_CURRENT_LIST_DIR}/files_bench.cpp LIBS lumivex_files PkgConfig::XLSXWRITER CORE)
