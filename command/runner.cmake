# The run of non-SQL texts: run options, run files and the generated batch file.
kestrova_library(kestrova_runner ActionBatch.cpp)
target_link_libraries(kestrova_runner PUBLIC kestrova_common)
