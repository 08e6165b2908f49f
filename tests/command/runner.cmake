kestrova_test(NAME runner_tests
    SOURCES ActionBatch_test.cpp
    LIBS kestrova_runner)
