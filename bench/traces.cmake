# The trace pipeline: spectro values against FFTW, seismo values and processing against a plain
# pass over the samples, the whole-trace bitmap against saving a blank one, the printed pages as
# PDF against drawing the same columns into one bitmap.
vx_bench(bench_traces SOURCES traces_bench.cpp LIBS tb_traces PkgConfig::FFTW3B)
