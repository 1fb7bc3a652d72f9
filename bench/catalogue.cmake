# Listing a folder of measurement files against a plain listing that reads each file's start.
vx_bench(bench_catalogue SOURCES catalogue_bench.cpp LIBS tb_app ssmgen_lib Qt6::Widgets)
