# Frame encode, check and decode; one command exchange through the whole link stack.
lumivex_bench(link_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/link_bench.cpp LIBS lumivex_link CORE)
