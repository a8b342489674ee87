# A pushed result from the transport to the record in the list, on both result forms.
lumivex_bench(bench_measurement SOURCES ${CMAKE_CURRENT_LIST_DIR}/measurement_bench.cpp LIBS lumivex_pages lumivex_sim
  WIDGETS METER_TABLE)
