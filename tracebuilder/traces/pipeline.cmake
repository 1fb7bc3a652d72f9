# The trace pipeline: trace framework, seismo and spectro traces, axes, chart traces, server.
add_library(tb_traces STATIC
  Traces.cpp tTrace_server.cpp TrcConfigs.cpp
  SpectroTransform.cpp GainCurve.cpp
  TracePicture.cpp ColumnRaster.cpp TrcColumnsCnf.cpp TrcAxe.cpp ColumnLabels.cpp ColumnReadout.cpp TracePages.cpp
  TrcP_Columns.cpp TrcI_Columns.cpp
  TrcV_HFSG.cpp TrcP_HFSG.cpp TrcI_HFSG.cpp
  TrcV_Spectra.cpp TrcP_HFSpG.cpp TrcI_HFSpG.cpp
  TrcI_Chart.cpp TrcV_CHRTSG.cpp TrcP_CHRTSG.cpp TrcI_CHRTSG.cpp TrcP_CHRTSpG.cpp TrcI_CHRTSpG.cpp)
target_include_directories(tb_traces PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(tb_traces PUBLIC tb_app tb_array Qt6::Widgets Qt6::PrintSupport
  QCustomPlotQt6::QCustomPlotQt6)
# Square roots of the spectral lines need no errno, which lets the compiler vectorise them.
set_source_files_properties(SpectroTransform.cpp PROPERTIES COMPILE_OPTIONS -fno-math-errno)
