# Macro expansion and directive lines: the window-free rules in both builds, the dialogs of
# the input step in the Windows build (templates in resources/MacroDialogs.rc, compiled into
# the program that shows them).
kestrova_library(kestrova_macros
    ${CMAKE_CURRENT_LIST_DIR}/MacroText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Directives.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MacroExpansion.cpp
)
target_link_libraries(kestrova_macros PUBLIC kestrova_schema kestrova_dbcore kestrova_common)

if(KESTROVA_WINDOWS)
    kestrova_library(kestrova_macrowin ${CMAKE_CURRENT_LIST_DIR}/MacroRunner.cpp)
    target_link_libraries(kestrova_macrowin PUBLIC kestrova_macros kestrova_commonwin)
endif()
