# Macro expansion and directive lines: window-free tests in both builds, the dialogs under
# Wine, a benchmark in the native build (the fuzz targets are listed in tests/fuzz).
kestrova_test(NAME macro_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/Directives_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/MacroSelection_test.cpp
        ${CMAKE_CURRENT_LIST_DIR}/MacroInput_test.cpp
    LIBS kestrova_macros)

if(KESTROVA_WINDOWS)
    kestrova_test(NAME macro_dialog_tests
        SOURCES
            ${CMAKE_CURRENT_LIST_DIR}/MacroRunner_test.cpp
            ${CMAKE_CURRENT_LIST_DIR}/MacroDialogTest.rc
            ${CMAKE_CURRENT_LIST_DIR}/../DialogDriver.cpp
        LIBS kestrova_macrowin)
else()
    # Not a test: scripts/bench-macros.sh builds and runs it. It compiles its own copy of the
    # sources without the sanitizers of the native build, which would measure their
    # allocator instead of the expansion.
    add_executable(macro_benchmark
        ${CMAKE_CURRENT_LIST_DIR}/../bench/macro_benchmark.cpp
        ${PROJECT_SOURCE_DIR}/command/MacroText.cpp
        ${PROJECT_SOURCE_DIR}/command/Directives.cpp
        ${PROJECT_SOURCE_DIR}/command/MacroExpansion.cpp
        ${PROJECT_SOURCE_DIR}/common/SjisText.cpp
        ${PROJECT_SOURCE_DIR}/common/VornString.cpp
        ${PROJECT_SOURCE_DIR}/common/TokenList.cpp
        ${PROJECT_SOURCE_DIR}/common/ProfileStore.cpp
        ${PROJECT_SOURCE_DIR}/common/ProfileStorePortable.cpp
        ${PROJECT_SOURCE_DIR}/schema/NameQuoting.cpp
        ${PROJECT_SOURCE_DIR}/db/ConnectionRecord.cpp
        ${PROJECT_SOURCE_DIR}/db/DatabaseKind.cpp)
    set_property(TARGET macro_benchmark PROPERTY COMPILE_OPTIONS -O2 ${KESTROVA_CHARSET_FLAGS})
    set_property(TARGET macro_benchmark PROPERTY LINK_OPTIONS "")
    target_include_directories(macro_benchmark PRIVATE ${PROJECT_SOURCE_DIR})
endif()
