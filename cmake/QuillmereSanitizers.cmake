# Instrumented configurations, each in a build folder of its own (see the Makefile): every source
# of the configuration, JUCE's included, is compiled with the same instrumentation, because
# ThreadSanitizer and libFuzzer's coverage only see what was built for them.
#
#   QUILLMERE_SANITIZER=address  AddressSanitizer and UndefinedBehaviorSanitizer
#   QUILLMERE_SANITIZER=thread   ThreadSanitizer
#   QUILLMERE_FUZZ=ON            libFuzzer targets with AddressSanitizer and
#                                UndefinedBehaviorSanitizer (clang only)
set(QUILLMERE_SANITIZER "" CACHE STRING "Instrument the build: address (with undefined) or thread")
set_property(CACHE QUILLMERE_SANITIZER PROPERTY STRINGS "" address thread)
option(QUILLMERE_FUZZ "Build the libFuzzer targets (needs clang)" OFF)

# Line tables and frame pointers make the reports point at source lines.
set(quillmere_report_flags -g1 -fno-omit-frame-pointer)
# Every finding ends the run with a failure instead of a line in the log. Signed overflow stays
# recoverable only so that tests/sanitizers/ubsan.supp can name the one in JUCE we cannot avoid;
# the runners set halt_on_error, so any other one still ends the run.
set(quillmere_undefined_flags -fsanitize=undefined -fno-sanitize-recover=all
    -fsanitize-recover=signed-integer-overflow)

if(QUILLMERE_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "QUILLMERE_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
    if(QUILLMERE_SANITIZER)
        message(FATAL_ERROR "QUILLMERE_FUZZ brings its own sanitizers; leave QUILLMERE_SANITIZER empty")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address ${quillmere_undefined_flags}
        ${quillmere_report_flags})
    add_link_options(-fsanitize=address,undefined)
elseif(QUILLMERE_SANITIZER STREQUAL "address")
    add_compile_options(-fsanitize=address ${quillmere_undefined_flags} ${quillmere_report_flags})
    add_link_options(-fsanitize=address,undefined)
elseif(QUILLMERE_SANITIZER STREQUAL "thread")
    add_compile_options(-fsanitize=thread ${quillmere_report_flags})
    add_link_options(-fsanitize=thread)
elseif(QUILLMERE_SANITIZER)
    message(FATAL_ERROR "QUILLMERE_SANITIZER must be address, thread or empty, not ${QUILLMERE_SANITIZER}")
endif()
