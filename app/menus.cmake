# Menu files, parts lists and the user menu: the window-free rules in both builds, the
# menus themselves in the Windows build.
kestrova_library(kestrova_menurules MenuFileRules.cpp PartsLists.cpp)
target_link_libraries(kestrova_menurules PUBLIC kestrova_dbcore kestrova_common)

if(KESTROVA_WINDOWS)
    kestrova_library(kestrova_menufiles MenuFiles.cpp UserMenu.cpp)
    target_link_libraries(kestrova_menufiles PUBLIC kestrova_menurules kestrova_dblink kestrova_commonwin)
endif()
