# The pile generator: one blow of a 20 m pile against one FFTW long double transform of its length,
# the model's answer to a force against a plain pass over as many samples,
# the whole demo folder against building both trace pictures of it.
vx_bench(bench_ssmgen SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/ssmgen_bench.cpp LIBS ssmgen_lib tb_window PkgConfig::FFTW3B)
