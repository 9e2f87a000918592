# Warnings are errors in our own sources. JUCE's module sources reach a target through its
# interface sources, not its SOURCES property, so they keep their own flags.
set(QUILLMERE_WARNING_FLAGS -Wall -Wextra -Wpedantic -Wshadow -Werror)

function(quillmere_strict_warnings target)
    get_target_property(sources ${target} SOURCES)
    set_source_files_properties(${sources} TARGET_DIRECTORY ${target}
        PROPERTIES COMPILE_OPTIONS "${QUILLMERE_WARNING_FLAGS}")
endfunction()
