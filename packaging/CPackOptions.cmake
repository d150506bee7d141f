# Read by cpack for each generator in turn: the installer goes beside the ZIP of the same name.
if(CPACK_GENERATOR STREQUAL "NSIS")
    string(APPEND CPACK_PACKAGE_FILE_NAME -setup)
endif()
