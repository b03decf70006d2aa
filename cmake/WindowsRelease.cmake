# The Windows release, made in the build tree of a Windows build:
#   Lexodrom-<release>-win64.zip    lexodrom.exe, Lexodrom.chm, LICENSE.txt, README.txt
#   Lexodrom-<release>-setup.exe    the installer (packaging/windows/Lexodrom.nsi)
# The text files get CR LF line ends, for every Windows editor.
find_program(LEXODROM_MAKENSIS makensis REQUIRED)
# make_zip.sh packs with zip.
find_program(LEXODROM_ZIP zip REQUIRED)

if(NOT TARGET lexodrom)
    return()
endif()

set(LEXODROM_RELEASE "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
set(release_dir ${PROJECT_BINARY_DIR}/release)
set(release_files ${release_dir}/Lexodrom)
set(LEXODROM_RELEASE_ZIP ${release_dir}/Lexodrom-${LEXODROM_RELEASE}-win64.zip)
set(LEXODROM_RELEASE_SETUP ${release_dir}/Lexodrom-${LEXODROM_RELEASE}-setup.exe)
set(LEXODROM_RELEASE_FILES ${release_files} CACHE INTERNAL "The release's files, as in the zip")

configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/README.txt.in ${release_files}/README.txt
               @ONLY NEWLINE_STYLE CRLF)
file(READ ${PROJECT_SOURCE_DIR}/LICENSE license)
string(REPLACE "\n" "\r\n" license "${license}")
file(WRITE ${release_files}/LICENSE.txt "${license}")
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
             ${PROJECT_SOURCE_DIR}/LICENSE)

# The zip is the same, byte for byte, whenever it is made from the same files
# (packaging/windows/make_zip.sh), and so is the installer, which keeps the
# files' dates that the zip gave them. strip would stamp the program with the
# time it runs unless given a date: it keeps none, as linked.
set(LEXODROM_RELEASE_ENTRIES lexodrom.exe Lexodrom.chm LICENSE.txt README.txt)
add_custom_command(
    OUTPUT ${LEXODROM_RELEASE_ZIP} ${LEXODROM_RELEASE_SETUP}
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
            ${CMAKE_STRIP} -o ${release_files}/lexodrom.exe $<TARGET_FILE:lexodrom>
    COMMAND ${CMAKE_COMMAND} -E copy ${LEXODROM_CHM} ${release_files}/Lexodrom.chm
    COMMAND sh ${PROJECT_SOURCE_DIR}/packaging/windows/make_zip.sh ${LEXODROM_RELEASE_ZIP}
            ${release_files} ${PROJECT_SOURCE_DIR} ${LEXODROM_RELEASE_ENTRIES}
    COMMAND ${LEXODROM_MAKENSIS} -V2 -DRELEASE=${LEXODROM_RELEASE} -DVERSION=${PROJECT_VERSION}
            -DFILES=${release_files} -DOUTFILE=${LEXODROM_RELEASE_SETUP}
            ${PROJECT_SOURCE_DIR}/packaging/windows/Lexodrom.nsi
    DEPENDS lexodrom ${LEXODROM_CHM} ${PROJECT_SOURCE_DIR}/packaging/windows/Lexodrom.nsi
            ${PROJECT_SOURCE_DIR}/packaging/windows/make_zip.sh
            ${release_files}/README.txt ${release_files}/LICENSE.txt
    COMMENT "Making the Windows release: zip and installer"
    VERBATIM)
add_custom_target(windows_release ALL DEPENDS ${LEXODROM_RELEASE_ZIP} ${LEXODROM_RELEASE_SETUP})

if(BUILD_TESTING)
    add_test(NAME windows.Release
             COMMAND sh ${PROJECT_SOURCE_DIR}/tests/wine/release_test.sh ${LEXODROM_RELEASE_ZIP}
                     ${LEXODROM_RELEASE_SETUP} ${CMAKE_OBJDUMP}
                     ${PROJECT_SOURCE_DIR}/packaging/windows/make_zip.sh ${LEXODROM_MAKENSIS}
                     ${PROJECT_SOURCE_DIR}/packaging/windows/Lexodrom.nsi ${LEXODROM_RELEASE}
                     ${PROJECT_VERSION})
    # The installer in a Wine prefix of its own; the game it installs runs on
    # an X server of its own.
    find_program(LEXODROM_XVFB_RUN xvfb-run REQUIRED)
    add_test(NAME windows.InstallStartUninstall
             COMMAND sh ${PROJECT_SOURCE_DIR}/tests/wine/installer_test.sh ${LEXODROM_RELEASE_SETUP}
                     $<TARGET_FILE:start_from_menu> ${PROJECT_BINARY_DIR}/tests/installer
                     ${LEXODROM_XVFB_RUN})
    set_tests_properties(windows.InstallStartUninstall PROPERTIES TIMEOUT 300)
endif()
