# Installation, desktop integration and the Debian package.
#
# Layout under the prefix:
#   games/lexodrom                wrapper the menu starts (packaging/lexodrom.sh.in)
#   libexec/lexodrom/lexodrom     the game
#   libexec/lexodrom/hh.exe       its help viewer
#   share/lexodrom/Lexodrom.chm   the help, found by hh.exe in its data folder
#   share/applications, share/icons/hicolor, share/metainfo, share/man/man6,
#   share/doc/lexodrom            menu entry, icons, AppStream data, manual, copyright
#
# The game finds "hh.exe" in the current directory or on PATH and writes
# hs.dat to the current directory, so the real binaries stay off the user's
# PATH and the wrapper sets both up before it starts the game. The data
# folder is $XDG_DATA_HOME/lexodrom. Every path is relative to the prefix, so
# an installation may be moved: cmake --install <build> --prefix <anywhere>.
include(GNUInstallDirs)

set(lexodrom_program_dir "${LEXODROM_PROGRAM_INSTALL_DIR}")
set(lexodrom_data_dir "${LEXODROM_HELP_INSTALL_DIR}")
# Games go to games/ rather than bin/, as Debian and the FHS ask;
# /usr/games and /usr/local/games are on Debian's default PATH.
set(LEXODROM_INSTALL_GAMESDIR games CACHE STRING "Where the lexodrom command goes, under the prefix")
set(lexodrom_doc_dir "${CMAKE_INSTALL_DATADIR}/doc/lexodrom")
set(lexodrom_app_id io.github.lexodrom.Lexodrom)
set(lexodrom_packaging "${PROJECT_SOURCE_DIR}/packaging")
set(lexodrom_generated "${PROJECT_BINARY_DIR}/packaging")

install(TARGETS lexodrom hh.exe RUNTIME DESTINATION ${lexodrom_program_dir})
install(FILES ${LEXODROM_CHM} DESTINATION ${lexodrom_data_dir})

file(RELATIVE_PATH LEXODROM_BIN_TO_PROGRAMS "/prefix/${LEXODROM_INSTALL_GAMESDIR}"
     "/prefix/${lexodrom_program_dir}")
configure_file(${lexodrom_packaging}/lexodrom.sh.in ${lexodrom_generated}/lexodrom @ONLY)
install(PROGRAMS ${lexodrom_generated}/lexodrom DESTINATION ${LEXODROM_INSTALL_GAMESDIR})

install(FILES ${lexodrom_packaging}/${lexodrom_app_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${lexodrom_packaging}/${lexodrom_app_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the hand-drawn pixel art for the small sizes, the SVG for the rest.
find_program(LEXODROM_RSVG_CONVERT rsvg-convert REQUIRED)
find_program(LEXODROM_XPMTOPPM xpmtoppm REQUIRED)  # netpbm, for tools/xpmToPng.sh
set(lexodrom_icon_files)
foreach(size 16 32)
    set(png ${lexodrom_generated}/icons/${size}/lexodrom.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${lexodrom_generated}/icons/${size}
        COMMAND sh ${PROJECT_SOURCE_DIR}/tools/xpmToPng.sh
                ${PROJECT_SOURCE_DIR}/res/icons/lexodrom-${size}.xpm ${png}
        DEPENDS ${PROJECT_SOURCE_DIR}/tools/xpmToPng.sh ${PROJECT_SOURCE_DIR}/res/icons/lexodrom-${size}.xpm
        VERBATIM)
    list(APPEND lexodrom_icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
foreach(size 48 64 128 256)
    set(png ${lexodrom_generated}/icons/${size}/lexodrom.png)
    add_custom_command(OUTPUT ${png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${lexodrom_generated}/icons/${size}
        COMMAND ${LEXODROM_RSVG_CONVERT} -w ${size} -h ${size}
                ${PROJECT_SOURCE_DIR}/res/icons/lexodrom.svg -o ${png}
        DEPENDS ${PROJECT_SOURCE_DIR}/res/icons/lexodrom.svg
        VERBATIM)
    list(APPEND lexodrom_icon_files ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/res/icons/lexodrom.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Debian wants its manual pages and changelog compressed, without a time
# stamp in the gzip header so that the package builds reproducibly.
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Die Lexodrom-Entwickler <lexodrom@users.noreply.github.com>")
set(LEXODROM_DEB_VERSION "${PROJECT_VERSION}-1")
configure_file(${lexodrom_packaging}/changelog.Debian.in ${lexodrom_generated}/changelog.Debian
               @ONLY)
find_program(LEXODROM_GZIP gzip REQUIRED)
add_custom_command(OUTPUT ${lexodrom_generated}/lexodrom.6.gz
    COMMAND ${LEXODROM_GZIP} -9n -c ${lexodrom_packaging}/lexodrom.6 > lexodrom.6.gz
    DEPENDS ${lexodrom_packaging}/lexodrom.6
    WORKING_DIRECTORY ${lexodrom_generated})
add_custom_command(OUTPUT ${lexodrom_generated}/changelog.Debian.gz
    COMMAND ${LEXODROM_GZIP} -9n -c changelog.Debian > changelog.Debian.gz
    DEPENDS ${lexodrom_generated}/changelog.Debian
    WORKING_DIRECTORY ${lexodrom_generated})
add_custom_target(lexodrom_packaging_files ALL DEPENDS
    ${lexodrom_icon_files} ${lexodrom_generated}/lexodrom.6.gz
    ${lexodrom_generated}/changelog.Debian.gz)
install(FILES ${lexodrom_generated}/lexodrom.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${lexodrom_packaging}/copyright ${lexodrom_generated}/changelog.Debian.gz
        DESTINATION ${lexodrom_doc_dir})

# cpack -G DEB in the build tree makes lexodrom_<version>-1_<arch>.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME lexodrom)
set(CPACK_PACKAGE_VENDOR "Die Lexodrom-Entwickler")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "German word game of the Ghost family")
# CPack puts the summary first and indents each line of this itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "You and the computer take turns adding one letter to a growing word
fragment. Every letter must keep the fragment the beginning of a word of the
built-in German dictionary, and whoever completes a whole word loses it.

Two levels (about 8,000 and 31,000 words), points, hints, a game clock,
rounds of twenty words and a table of the twenty best scores. All texts of
the game and its help are German.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://github.com/lexodrom/lexodrom")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
