# Menu files, parts lists, the user menu and the menu files the program folder ships.
if(KESTROVA_WINDOWS)
    set(kestrova_shipped_data "Z:${PROJECT_SOURCE_DIR}/dist-data/program")
else()
    set(kestrova_shipped_data "${PROJECT_SOURCE_DIR}/dist-data/program")
endif()

kestrova_test(NAME menu_rules_tests
    SOURCES
        MenuFileRules_test.cpp
        PartsLists_test.cpp
        UserMenuRules_test.cpp
        MenuShippedData_test.cpp
    LIBS kestrova_menurules)
target_compile_definitions(menu_rules_tests PRIVATE KESTROVA_SHIPPED_DATA="${kestrova_shipped_data}")

if(KESTROVA_WINDOWS)
    kestrova_test(NAME menu_files_window_tests
        SOURCES
            MenuFiles_test.cpp
            UserMenu_test.cpp
            ../WindowTestSupport.cpp
        LIBS kestrova_menufiles)
    target_compile_definitions(menu_files_window_tests PRIVATE KESTROVA_SHIPPED_DATA="${kestrova_shipped_data}")

    # Runs the shipped PostgreSQL and MySQL menu statements; needs the sample databases
    # (scripts/sampledb.sh start).
    kestrova_test(NAME menu_shipped_sql_tests
        SOURCES
            MenuShippedSql_test.cpp
            ../WindowTestSupport.cpp
        LIBS kestrova_menufiles)
    target_compile_definitions(menu_shipped_sql_tests PRIVATE KESTROVA_SHIPPED_DATA="${kestrova_shipped_data}")
endif()
