# Settings, hot-key launcher and options dialog targets.
kestrova_library(kestrova_settings MainSettings.cpp HotKeys.cpp OptionsRows.cpp)
target_link_libraries(kestrova_settings PUBLIC kestrova_common)

if(KESTROVA_WINDOWS)
    # The dialog template lives in resources/OptionsDialog.rc, compiled into the program
    # (or test) that links this library.
    kestrova_library(kestrova_settingswin HotKeyLauncher.cpp OptionsDialog.cpp)
    target_link_libraries(kestrova_settingswin PUBLIC kestrova_settings kestrova_commonwin)
endif()
