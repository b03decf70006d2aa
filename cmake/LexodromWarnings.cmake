# Our own targets build with every common warning. Our presets and CI turn
# them into errors; a packager's build with a newer compiler is not stopped by
# a warning that compiler adds. Third-party headers come in as system includes
# and stay out of it.
option(LEXODROM_WERROR "Treat warnings in our own code as errors" OFF)

function(lexodrom_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wsign-conversion -Wold-style-cast)
    if(LEXODROM_WERROR)
        target_compile_options(${target} PRIVATE -Werror)
    endif()
endfunction()
