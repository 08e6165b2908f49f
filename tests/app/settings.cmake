# Tests of the settings, hot-key launcher and options dialog.
kestrova_test(NAME app_settings_tests
    SOURCES
        MainSettings_test.cpp
        HotKeys_test.cpp
        OptionsRows_test.cpp
    LIBS kestrova_settings)

if(KESTROVA_WINDOWS)
    kestrova_test(NAME app_settings_window_tests
        SOURCES
            OptionsDialog_test.cpp
            HotKeyLauncher_test.cpp
            OptionsDialogTest.rc
            ../DialogDriver.cpp
        LIBS kestrova_settingswin)
endif()
