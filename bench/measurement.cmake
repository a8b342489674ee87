# A pushed result from the transport to the record in the list, on both result forms.
lumivex_bench(bench_measurement SOURCES ${CMAKE_CURRENT_LIST_DIR}/measurement_bench.cpp LIBS lumivex_pages lumivex_sim)
# The page loads its meter table from beside the program.
add_dependencies(bench_measurement lumivex_meter_table)
add_custom_command(TARGET bench_measurement POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${LUMIVEX_OUTPUT_DIR}/meterno.xls $<TARGET_FILE_DIR:bench_measurement>)
