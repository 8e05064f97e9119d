# The program's icon is drawn once, as SVG (ui/icon/ferwis.svg), and rendered
# at build time: PNGs in the usual sizes for a Linux desktop entry and, for
# Windows, an .ico that the executables' version resource holds. The tools are
# Debian's librsvg2-bin (rsvg-convert) and icoutils (icotool).
find_program(FERWIS_RSVG_CONVERT rsvg-convert)
find_program(FERWIS_ICOTOOL icotool)

set(FERWIS_ICON_DIR ${CMAKE_BINARY_DIR}/icon)
set(FERWIS_ICON_FILE "")
if(FERWIS_RSVG_CONVERT)
    set(svg ${CMAKE_SOURCE_DIR}/ui/icon/ferwis.svg)
    set(pngs "")
    foreach(size 16 24 32 48 64 128 256)
        set(png ${FERWIS_ICON_DIR}/ferwis-${size}.png)
        add_custom_command(OUTPUT ${png}
            COMMAND ${CMAKE_COMMAND} -E make_directory ${FERWIS_ICON_DIR}
            COMMAND ${FERWIS_RSVG_CONVERT} --width=${size} --height=${size} --output=${png} ${svg}
            DEPENDS ${svg} VERBATIM)
        list(APPEND pngs ${png})
    endforeach()
    if(WIN32 AND FERWIS_ICOTOOL)
        # 16 to 48 pixels as bitmaps, 256 as PNG, the way Windows keeps large icons.
        set(FERWIS_ICON_FILE ${FERWIS_ICON_DIR}/ferwis.ico)
        set(small ${pngs})
        list(FILTER small INCLUDE REGEX "-(16|24|32|48)\\.png$")
        add_custom_command(OUTPUT ${FERWIS_ICON_FILE}
            COMMAND ${FERWIS_ICOTOOL} --create --output=${FERWIS_ICON_FILE} ${small}
                    --raw=${FERWIS_ICON_DIR}/ferwis-256.png
            DEPENDS ${pngs} VERBATIM)
    endif()
    add_custom_target(ferwis_icon ALL DEPENDS ${pngs} ${FERWIS_ICON_FILE})
    set(FERWIS_ICON_PNGS ${pngs})
else()
    message(STATUS "rsvg-convert (librsvg2-bin) not found: the program's icon is not rendered")
endif()
if(WIN32 AND NOT FERWIS_ICON_FILE)
    message(STATUS "icotool (icoutils) or rsvg-convert not found: the executables get no icon")
endif()

# ferwis_version_resource(TARGET DESCRIPTION): on Windows, the product name,
# the project's version and the icon in the executable's properties. The
# resource names the icon IDI_ICON1, which the window toolkit also takes as the
# windows' icon.
function(ferwis_version_resource target description)
    if(NOT WIN32)
        return()
    endif()
    set(FERWIS_RC_NAME ${target})
    set(FERWIS_RC_DESCRIPTION ${description})
    if(FERWIS_ICON_FILE)
        set(FERWIS_RC_ICON "IDI_ICON1 ICON \"${FERWIS_ICON_FILE}\"")
    else()
        set(FERWIS_RC_ICON "")
    endif()
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
    configure_file(${CMAKE_SOURCE_DIR}/windows/version.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
    if(FERWIS_ICON_FILE)
        set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${FERWIS_ICON_FILE})
        add_dependencies(${target} ferwis_icon)
    endif()
endfunction()
