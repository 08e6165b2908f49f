# The formatters and the training mode: window-free, tested in both builds.
kestrova_test(NAME formatter_tests
    SOURCES
        Formatter_test.cpp
        TrainingMode_test.cpp
    LIBS kestrova_formatter)

kestrova_fuzz(NAME formatter_fuzz SOURCES FormatterFuzz.cpp LIBS kestrova_formatter SECONDS 3)

if(NOT KESTROVA_WINDOWS)
    # Run by scripts/bench-formatter.sh, not part of the tests.
    add_executable(formatter_benchmark ${PROJECT_SOURCE_DIR}/tests/bench/formatter_benchmark.cpp)
    kestrova_options(formatter_benchmark)
    target_link_libraries(formatter_benchmark PRIVATE kestrova_formatter)
endif()
