# Our own targets build with every common warning turned into an error.
# Third-party headers come in as system includes and stay out of it.
function(lexodrom_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                             -Wsign-conversion -Wold-style-cast -Werror)
endfunction()
