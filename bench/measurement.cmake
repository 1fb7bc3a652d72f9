vx_bench(bench_measurement SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/measurement_bench.cpp LIBS measurement ssmgen_lib)
