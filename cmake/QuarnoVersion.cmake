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
    set(strings
        "CompanyName=Veldo"
        "FileDescription=Quarno network traffic meter"
        "FileVersion=${version}"
        "InternalName=${ARG_ORIGINAL_NAME}"
        "LegalCopyright=Copyright © ${year} Veldo"
        "OriginalFileName=${ARG_ORIGINAL_NAME}"
        "ProductName=Quarno"
        "ProductVersion=${PROJECT_VERSION}"
        "Comments=Shows the traffic of the computer's network interfaces")
    if(WIN32)
        qn_version_rc(${target} ${version} "${strings}")
        return()
    endif()
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version_resource.cpp)
    add_custom_command(OUTPUT ${out}
        COMMAND qn_version_block_gen ${out} ${version} ${QN_PRERELEASE} ${strings}
        DEPENDS qn_version_block_gen
        COMMENT "Embedding the version resource of ${target}"
        VERBATIM)
    target_sources(${target} PRIVATE ${out})
endfunction()

# On Windows the same version data become a VERSIONINFO script that windres compiles into the
# executable's resources, where GetFileVersionInfoW finds it. Language 0x0409, code page 1252, as
# the block the other systems embed.
function(qn_version_rc target version strings)
    string(REPLACE "." "," numbers ${version})
    if(QN_PRERELEASE)
        set(flags VS_FF_PRERELEASE)
    else()
        set(flags 0)
    endif()
    set(rc "// Generated from the project version: ${target}'s version resource.\n")
    string(APPEND rc "#pragma code_page(65001)\n#include <winver.h>\n")
    string(APPEND rc "VS_VERSION_INFO VERSIONINFO\nFILEVERSION ${numbers}\nPRODUCTVERSION ${numbers}\n")
    string(APPEND rc "FILEFLAGSMASK VS_FFI_FILEFLAGSMASK\nFILEFLAGS ${flags}\nFILEOS VOS__WINDOWS32\n")
    string(APPEND rc "FILETYPE VFT_APP\nFILESUBTYPE 0\nBEGIN\n  BLOCK \"StringFileInfo\"\n  BEGIN\n")
    string(APPEND rc "    BLOCK \"040904E4\"\n    BEGIN\n")
    foreach(entry IN LISTS strings)
        string(FIND "${entry}" "=" eq)
        string(SUBSTRING "${entry}" 0 ${eq} name)
        math(EXPR from "${eq} + 1")
        string(SUBSTRING "${entry}" ${from} -1 text)
        string(REPLACE "\"" "\"\"" text "${text}")
        string(APPEND rc "      VALUE \"${name}\", \"${text}\"\n")
    endforeach()
    string(APPEND rc "    END\n  END\n  BLOCK \"VarFileInfo\"\n  BEGIN\n")
    string(APPEND rc "    VALUE \"Translation\", 0x0409, 1252\n  END\nEND\n")
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
    file(CONFIGURE OUTPUT ${out} CONTENT "${rc}" @ONLY)
    target_sources(${target} PRIVATE ${out})
endfunction()
