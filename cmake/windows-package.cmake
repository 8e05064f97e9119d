# The window program for Windows built with MinGW-w64 against Qt's DLLs
# (windows/build-qt.sh): the folder it runs from and the zip a Windows user
# unpacks.
#
# Qt's DLLs link the toolchain's C++ runtime as DLLs, so the executables do too
# (the Qt toolchain file does not link -static as cmake/mingw-w64.cmake does):
# one runtime in the process, one heap and one exception model across the
# boundary between the program and Qt.

# What windeployqt would copy for this program: the four libraries it links,
# the Windows platform and style, and no image format plugin (the program
# loads no picture; its icon is in the version resource).
set(ferwis_qt_libraries Qt6::Core Qt6::Gui Qt6::Widgets Qt6::Network)
set(ferwis_runtime_names libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
set(ferwis_runtime_dlls "")
foreach(name IN LISTS ferwis_runtime_names)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                    OUTPUT_VARIABLE dll OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${dll}" OR NOT EXISTS "${dll}")
        message(FATAL_ERROR "The MinGW-w64 runtime ${name} was not found (${dll})")
    endif()
    list(APPEND ferwis_runtime_dlls ${dll})
endforeach()

# The build tree is a program folder too: the tests and the window run there
# under wine. The tests also take the offscreen platform.
set(copies "")
foreach(file IN LISTS ferwis_runtime_dlls)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different ${file} ${CMAKE_BINARY_DIR})
endforeach()
foreach(library IN LISTS ferwis_qt_libraries)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E copy_if_different
         $<TARGET_FILE:${library}> ${CMAKE_BINARY_DIR})
endforeach()
foreach(plugin IN ITEMS platforms:QWindowsIntegrationPlugin platforms:QOffscreenIntegrationPlugin
                        styles:QWindowsVistaStylePlugin)
    string(REPLACE ":" ";" parts ${plugin})
    list(GET parts 0 folder)
    list(GET parts 1 name)
    list(APPEND copies COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/${folder}
         COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:Qt6::${name}>
                 ${CMAKE_BINARY_DIR}/${folder})
endforeach()
add_custom_target(ferwis_runtime ALL ${copies} COMMENT "Qt and MinGW-w64 DLLs beside the programs")
add_dependencies(ferwis ferwis_runtime)

# The example ferwis.ini is Windows-1250 with CR LF, as the program reads it;
# the README is UTF-8 with its byte-order mark, which Notepad shows right on
# every Windows.
set(package_files ${CMAKE_BINARY_DIR}/package)
file(MAKE_DIRECTORY ${package_files})
configure_file(${CMAKE_SOURCE_DIR}/windows/README.txt.in ${package_files}/README.txt @ONLY
               NEWLINE_STYLE CRLF)
configure_file(${CMAKE_SOURCE_DIR}/windows/ferwis.ini.in ${package_files}/ferwis.ini.utf8 @ONLY
               NEWLINE_STYLE CRLF)
find_program(FERWIS_ICONV iconv REQUIRED)
execute_process(COMMAND ${FERWIS_ICONV} -f UTF-8 -t CP1250 ${package_files}/ferwis.ini.utf8
                OUTPUT_FILE ${package_files}/ferwis.ini RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "windows/ferwis.ini.in could not be written in Windows-1250")
endif()

install(TARGETS ferwis ferwis-cli RUNTIME DESTINATION .)
install(FILES ${ferwis_runtime_dlls} DESTINATION .)
foreach(library IN LISTS ferwis_qt_libraries)
    install(FILES $<TARGET_FILE:${library}> DESTINATION .)
endforeach()
install(FILES $<TARGET_FILE:Qt6::QWindowsIntegrationPlugin> DESTINATION platforms)
install(FILES $<TARGET_FILE:Qt6::QWindowsVistaStylePlugin> DESTINATION styles)
install(FILES ${package_files}/ferwis.ini ${package_files}/README.txt DESTINATION .)
# The toolchain's and Qt's DLLs carry debugging sections the user has no use
# for (libstdc++ alone 23 MB); the executables are stripped by cpack.
install(CODE "
    file(GLOB_RECURSE dlls \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/*.dll\")
    execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \${dlls} COMMAND_ERROR_IS_FATAL ANY)")

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ferwis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME ferwis-${PROJECT_VERSION}-windows-x64)
set(CPACK_STRIP_FILES ON)
include(CPack)
