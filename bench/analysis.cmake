vx_bench(bench_analysis SOURCES analysis_bench.cpp LIBS vibrix_analysis PkgConfig::FFTW3B)
