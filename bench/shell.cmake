# The main window of vibrix against bare charts, the data module's open and the project's size.
vx_bench(bench_shell SOURCES shell_bench.cpp LIBS vibrix_mainwindow ssmgen_lib Qt6::Test)
