# JUCE modules are interface libraries whose sources compile into whichever target links them. Our
# targets that carry JUCE code link them privately, so the modules compile once; a test or tool
# then links that target's objects and takes its include paths and definitions through this.
function(quillmere_link_juce_code target library)
    target_link_libraries(${target} PRIVATE ${library})
    target_include_directories(${target} PRIVATE $<TARGET_PROPERTY:${library},INCLUDE_DIRECTORIES>)
    target_compile_definitions(${target} PRIVATE $<TARGET_PROPERTY:${library},COMPILE_DEFINITIONS>)
endfunction()

# The plug-in's own code with the JUCE modules built into it, for in-process tests.
function(quillmere_link_plugin_code target)
    quillmere_link_juce_code(${target} Quillmere)
endfunction()

# The plug-in's own source files (not JUCE's), as absolute paths, for targets that compile them
# again with other JUCE options, such as the command-line host.
function(quillmere_plugin_sources out_var)
    get_target_property(sources Quillmere SOURCES)
    set(result)
    foreach(source IN LISTS sources)
        get_filename_component(absolute "${source}" ABSOLUTE BASE_DIR "${PROJECT_SOURCE_DIR}/src")
        string(FIND "${absolute}" "${PROJECT_SOURCE_DIR}/src/" inside)
        if(inside EQUAL 0 AND absolute MATCHES "\\.cpp$")
            list(APPEND result "${absolute}")
        endif()
    endforeach()
    set(${out_var} ${result} PARENT_SCOPE)
endfunction()

# JUCE settings of our targets that compile JUCE outside a plug-in wrapper (the host code, the
# fuzz code): no network, no web view, no splash screen.
set(QUILLMERE_JUCE_APP_DEFINITIONS
    JUCE_USE_CURL=0
    JUCE_WEB_BROWSER=0
    JUCE_STRICT_REFCOUNTEDPOINTER=1
    JUCE_STANDALONE_APPLICATION=1
    JUCE_GLOBAL_MODULE_SETTINGS_INCLUDED=1
    JUCE_DISPLAY_SPLASH_SCREEN=0
    JUCE_REPORT_APP_USAGE=0)

# A GoogleTest executable of in-process tests on the plug-in's code, with the JUCE test main.
function(quillmere_add_plugin_test name)
    add_executable(${name} ${PROJECT_SOURCE_DIR}/tests/support/JuceTestMain.cpp ${ARGN})
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src)
    quillmere_link_plugin_code(${name})
    target_link_libraries(${name} PRIVATE GTest::gtest)
    quillmere_strict_warnings(${name})
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()
