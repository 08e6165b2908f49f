# The formatters and the training mode: window-free, tested in both builds.
kestrova_test(NAME formatter_tests
    SOURCES
        Formatter_test.cpp
        TrainingMode_test.cpp
    LIBS kestrova_formatter)

if(NOT KESTROVA_WINDOWS)
    # Run by scripts/bench-formatter.sh, not part of the tests. It measures the formatter, not
    # the sanitizers: its own copy of the sources, built without them.
    add_executable(formatter_benchmark
        ${PROJECT_SOURCE_DIR}/tests/bench/formatter_benchmark.cpp
        ${PROJECT_SOURCE_DIR}/command/SqlFormatter.cpp
        ${PROJECT_SOURCE_DIR}/common/VornString.cpp
        ${PROJECT_SOURCE_DIR}/common/SjisText.cpp
        ${PROJECT_SOURCE_DIR}/common/TextFile.cpp)
    set_target_properties(formatter_benchmark PROPERTIES COMPILE_OPTIONS "" LINK_OPTIONS "")
    kestrova_options(formatter_benchmark)
endif()
