# The Debian package, made by CPack from the install rules: cpack -G DEB in a build folder
# (./dev.sh package does it for the release preset).

# Relocations resolved at start and then made read-only, as Debian's hardened builds link, so a stray
# write cannot redirect a library call.
target_link_options(pellmarsh PRIVATE LINKER:-z,relro LINKER:-z,now)

# The package's description is the metainfo's, so the software centre and apt say the same: the summary
# as the synopsis, the first paragraph as the long description, wrapped for apt's 80 columns.
set(pellmarsh_metainfo ${CMAKE_CURRENT_SOURCE_DIR}/${pellmarsh_app_id}.metainfo.xml)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${pellmarsh_metainfo})
file(READ ${pellmarsh_metainfo} pellmarsh_metainfo_text)
string(REGEX MATCH "<summary>([^<]*)</summary>" unused "${pellmarsh_metainfo_text}")
set(pellmarsh_summary "${CMAKE_MATCH_1}")
string(REGEX MATCH "<p>([^<]*)</p>" unused "${pellmarsh_metainfo_text}")
string(REGEX REPLACE "[ \t\r\n]+" " " pellmarsh_paragraph "${CMAKE_MATCH_1}")
string(STRIP "${pellmarsh_paragraph}" pellmarsh_paragraph)
if(NOT pellmarsh_summary OR NOT pellmarsh_paragraph)
    message(FATAL_ERROR "${pellmarsh_metainfo} has no <summary> or no first <p>")
endif()

set(pellmarsh_description_columns 72)
string(REPLACE " " ";" pellmarsh_words "${pellmarsh_paragraph}")
set(pellmarsh_description "")
set(pellmarsh_line "")
foreach(word IN LISTS pellmarsh_words)
    string(LENGTH "${pellmarsh_line} ${word}" length)
    if(pellmarsh_line STREQUAL "")
        set(pellmarsh_line "${word}")
    elseif(length GREATER pellmarsh_description_columns)
        string(APPEND pellmarsh_description "${pellmarsh_line}\n")
        set(pellmarsh_line "${word}")
    else()
        string(APPEND pellmarsh_line " ${word}")
    endif()
endforeach()
string(APPEND pellmarsh_description "${pellmarsh_line}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pellmarsh)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Pellmarsh developers <maintainers@pellmarsh.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${pellmarsh_summary}")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "${pellmarsh_description}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps finds the libraries the binary links; the font is loaded by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
# Folders the install creates get 0755 whatever the umask of the person packaging.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
include(CPack)
