vx_bench(bench_data SOURCES data_bench.cpp LIBS vibrix_piles vibrix_data ssmgen_lib)
