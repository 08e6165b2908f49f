# The data view window, its option dialogs, find and the clipboard copies.
kestrova_library(kestrova_dataviewwin FindDialog.cpp GridCopies.cpp
    DataViewWindow.cpp DataViewCommands.cpp DataViewExport.cpp DataViewRows.cpp DataViewOptions.cpp OptionDialog.cpp
    DataViewTransfer.cpp)
target_link_libraries(kestrova_dataviewwin PUBLIC kestrova_dataview kestrova_commonwin kestrova_transferwin
                      kestrova_schemawin kestrova_structurewin kestrova_formatter kestrova_settings kestrova_menurules)
