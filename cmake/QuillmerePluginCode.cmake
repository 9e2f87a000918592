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
