# Record list: one append with 5 000 rows present, appending and rejudging 1 000 ... 5 000 records.
lumivex_bench(bench_pages SOURCES ${CMAKE_CURRENT_LIST_DIR}/pages_bench.cpp LIBS lumivex_pages)
# The page loads its meter table from beside the program.
add_dependencies(bench_pages lumivex_meter_table)
add_custom_command(TARGET bench_pages POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LUMIVEX_OUTPUT_DIR}/meterno.xls $<TARGET_FILE_DIR:bench_pages>)
