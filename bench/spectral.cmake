# The shown spectral page repainting 1000 curves next to the chart alone; its stored-spectra download
# from the zero-latency simulator against the USB full-speed limit.
lumivex_bench(bench_spectral SOURCES ${CMAKE_CURRENT_LIST_DIR}/spectral_bench.cpp LIBS lumivex_pages lumivex_sim WIDGETS)
