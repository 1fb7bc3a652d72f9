# The time-frequency window against its core computation, the main report's PDF against the
# same two charts painted alone, the demo project's site report against its record reports.
vx_bench(bench_reports SOURCES reports_bench.cpp LIBS vibrix_forms vibrix_report ssmgen_lib)
