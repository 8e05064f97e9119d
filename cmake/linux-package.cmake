# The program installed the way Linux programs are: `cmake --install` puts the
# two programs in bin/, the desktop entry, the icon in its sizes, the manual
# pages and the documentation below share/; `cpack -G DEB` makes the Debian
# package of it. ./dev.sh package builds it with FERWIS_INSTALLED_LAYOUT, so
# that the settings and the result live in the user's own folders.
include(GNUInstallDirs)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE
    GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(FERWIS_MAINTAINER
    "Ferwis maintainers <maintainers@users.noreply.c-seed-72f5dbd4.example>")
set(doc_dir ${CMAKE_INSTALL_DATADIR}/doc/ferwis)

if(NOT FERWIS_INSTALLED_LAYOUT)
    install(CODE "message(WARNING \"A portable build is installed: ferwis.ini and wynik.txt are \
kept beside the executables. -DFERWIS_INSTALLED_LAYOUT=ON keeps them in the user's folders.\")")
endif()
install(TARGETS ferwis ferwis-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_SOURCE_DIR}/packaging/ferwis.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/ui/icon/ferwis.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(png IN LISTS FERWIS_ICON_PNGS)
    string(REGEX MATCH "([0-9]+)\\.png$" size ${png})
    set(size ${CMAKE_MATCH_1})
    install(FILES ${png} RENAME ferwis.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# The manual pages and the changelog are kept compressed, without a time stamp
# in the compressed file, as Debian keeps them.
set(packaging ${CMAKE_BINARY_DIR}/packaging)
set(compressed "")
foreach(file ferwis.1 ferwis-cli.1 changelog)
    if(file STREQUAL changelog)
        configure_file(${CMAKE_SOURCE_DIR}/packaging/changelog.in ${packaging}/${file} @ONLY)
    else()
        configure_file(${CMAKE_SOURCE_DIR}/packaging/${file} ${packaging}/${file} @ONLY)
    endif()
    add_custom_command(OUTPUT ${packaging}/${file}.gz
        COMMAND sh -c "gzip -9nc '${packaging}/${file}' > '${packaging}/${file}.gz'"
        DEPENDS ${packaging}/${file} VERBATIM)
    list(APPEND compressed ${packaging}/${file}.gz)
endforeach()
add_custom_target(ferwis_packaging_files ALL DEPENDS ${compressed})
install(FILES ${packaging}/ferwis.1.gz ${packaging}/ferwis-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/packaging/copyright
              ${packaging}/changelog.gz
        DESTINATION ${doc_dir})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ferwis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT ${FERWIS_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "find the used, unused and missing files of a train simulator's sceneries")
set(CPACK_PACKAGE_DESCRIPTION "\
Ferwis reads the selected sceneries of a train simulator and everything they
pull in (includes, models, textures, sounds, timetables) and tells, for every
file of the installation, whether it is used, unused, missing, an exception,
or a sound used or missing for rolling stock. The categories can be listed,
copied, moved or deleted (to the system trash). The program's texts are Polish.
.
The package holds the window (ferwis) and ferwis-cli, which does the same
work without a display.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
