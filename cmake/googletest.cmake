# GoogleTest for the tests: the installed package on a native build; built here
# from the sources Debian ships (package googletest) when cross-building.
if(CMAKE_CROSSCOMPILING)
    set(FERWIS_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for a cross-build")
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    # Its own build defines the targets GTest::gtest and GTest::gtest_main.
    add_subdirectory(${FERWIS_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()
