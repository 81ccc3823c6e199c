# qn_embed_version(<target> [ORIGINAL_NAME <file name>])
# Gives an executable the standard version resource (VS_VERSIONINFO) in its ELF section
# ".vs_version_info", built from the project version and QN_PRERELEASE; ReadVersionInfo reads it back.
function(qn_embed_version target)
    cmake_parse_arguments(ARG "" "ORIGINAL_NAME" "" ${ARGN})
    if(NOT ARG_ORIGINAL_NAME)
        set(ARG_ORIGINAL_NAME ${target})
    endif()
    set(version ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.${PROJECT_VERSION_PATCH})
    if(PROJECT_VERSION_TWEAK)
        string(APPEND version .${PROJECT_VERSION_TWEAK})
    else()
        string(APPEND version .0)
    endif()
    string(TIMESTAMP year "%Y" UTC)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_resource.cpp)
    add_custom_command(OUTPUT ${out}
        COMMAND qn_version_block_gen ${out} ${version} ${QN_PRERELEASE}
            "CompanyName=Veldo"
            "FileDescription=Quarno network traffic meter"
            "FileVersion=${version}"
            "InternalName=${ARG_ORIGINAL_NAME}"
            "LegalCopyright=Copyright © ${year} Veldo"
            "OriginalFileName=${ARG_ORIGINAL_NAME}"
            "ProductName=Quarno"
            "ProductVersion=${PROJECT_VERSION}"
            "Comments=Shows the traffic of the computer's network interfaces"
        DEPENDS qn_version_block_gen
        COMMENT "Embedding the version resource of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE ${out})
endfunction()
