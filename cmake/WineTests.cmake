# Tests of a Windows build run under Wine, in a Wine prefix of the build's
# own that the first test makes afresh, so that nothing of the user's Wine
# set-up takes part. A test program runs as one test: starting Wine once
# for each case of it would take longer than the cases themselves.
set(LEXODROM_WINEPREFIX ${PROJECT_BINARY_DIR}/wineprefix)
# No Mono and no Gecko, which a prefix would offer to download, and no menu
# entries on the machine running the tests.
set(LEXODROM_WINE_ENVIRONMENT
    "WINEPREFIX=${LEXODROM_WINEPREFIX}" "WINEDEBUG=-all" "WINEDLLOVERRIDES=mscoree,mshtml,winemenubuilder.exe=d")

add_test(NAME wine.Prefix
         COMMAND sh ${PROJECT_SOURCE_DIR}/tests/wine/make_prefix.sh ${LEXODROM_WINEPREFIX})
set_tests_properties(wine.Prefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 300
                                            ENVIRONMENT "${LEXODROM_WINE_ENVIRONMENT}")

# Runs the test program `target` under Wine (the cross build's emulator).
function(lexodrom_wine_test target)
    add_test(NAME ${target} COMMAND ${target})
    set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine_prefix
                                              ENVIRONMENT "${LEXODROM_WINE_ENVIRONMENT}")
endfunction()
