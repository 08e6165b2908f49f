# VornResult's window-free text building: a library of both builds (the native build reaches
# it through the tests, the tools themselves are Windows programs).
if(NOT TARGET kestrova_result_text)
    kestrova_library(kestrova_result_text ${CMAKE_CURRENT_LIST_DIR}/ResultText.cpp)
    target_link_libraries(kestrova_result_text PUBLIC kestrova_common)
endif()
