# GoogleTest for the tests: the installed package on a native Linux build; built
# here from its sources when cross-building (Debian's googletest package puts
# them in /usr/src/googletest) or when FERWIS_GTEST_SOURCE names them (Windows).
if(CMAKE_CROSSCOMPILING AND NOT FERWIS_GTEST_SOURCE)
    set(FERWIS_GTEST_SOURCE /usr/src/googletest)
endif()
if(FERWIS_GTEST_SOURCE)
    set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE) # MSVC: the runtime the program uses
    # Its own build defines the targets GTest::gtest and GTest::gtest_main.
    add_subdirectory(${FERWIS_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
else()
    find_package(GTest REQUIRED)
endif()
