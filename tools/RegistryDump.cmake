# regdump's window-free path and value text: a library of both builds (the native build
# reaches it through the tests).
if(NOT TARGET kestrova_registry_dump)
    kestrova_library(kestrova_registry_dump ${CMAKE_CURRENT_LIST_DIR}/RegistryDump.cpp)
endif()
