# The SQL formatters and the training mode's script building: window-free, both builds.
kestrova_library(kestrova_formatter SqlFormatter.cpp TrainingMode.cpp)
target_link_libraries(kestrova_formatter PUBLIC kestrova_common)
