# The trace builder's main window: an idle timer tick against the timer's period, scrolling a
# page and moving the pointer over it against a blit of the picture, a typed velocity against
# building both traces directly.
vx_bench(bench_window SOURCES window_bench.cpp LIBS tb_form ssmgen_lib)
target_include_directories(bench_window PRIVATE ${CMAKE_SOURCE_DIR}/tests/support)
