# Import and export of 10 000 comparison records on the shown page against openpyxl, xlrd and raw
# libxlsxwriter; download of 2000 stored records from the simulator against the USB full-speed limit.
lumivex_bench(bench_workbook SOURCES ${CMAKE_CURRENT_LIST_DIR}/workbook_bench.cpp
  LIBS lumivex_pages lumivex_sim PkgConfig::XLSXWRITER WIDGETS METER_TABLE)
