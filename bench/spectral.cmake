# Chart repaint with 1000 curves; stored-spectra download from the zero-latency simulator; decoding 1000 records.
lumivex_bench(bench_spectral SOURCES ${CMAKE_CURRENT_LIST_DIR}/spectral_bench.cpp LIBS lumivex_pages lumivex_sim WIDGETS)
