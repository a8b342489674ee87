# ΔE throughput next to Little CMS on the same pairs.
pkg_check_modules(LCMS2 REQUIRED IMPORTED_TARGET lcms2)
lumivex_bench(bench_colour SOURCES ${CMAKE_CURRENT_LIST_DIR}/colour_bench.cpp LIBS lumivex_colour PkgConfig::LCMS2)
