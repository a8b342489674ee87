# Every command through the client link against the zero-latency simulator, per exchange.
lumivex_bench(sim_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/sim_bench.cpp LIBS lumivex_sim lumivex_link)
