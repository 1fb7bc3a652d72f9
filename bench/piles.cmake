vx_bench(bench_piles SOURCES piles_bench.cpp LIBS vibrix_piles ssmgen_lib PkgConfig::FFTW3B)
