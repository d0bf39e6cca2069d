# Installs the build into a scratch prefix and checks that the desktop finds everything it needs there.
# Run as: cmake -DBUILD_DIR=... -DSTAGE=... -P check_install.cmake
cmake_minimum_required(VERSION 3.24)
file(REMOVE_RECURSE "${STAGE}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${STAGE}" RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
foreach(path
        bin/pellmarsh
        share/applications/org.pellmarsh.Pellmarsh.desktop
        share/metainfo/org.pellmarsh.Pellmarsh.metainfo.xml
        share/icons/hicolor/16x16/apps/org.pellmarsh.Pellmarsh.png
        share/icons/hicolor/32x32/apps/org.pellmarsh.Pellmarsh.png
        share/icons/hicolor/scalable/apps/org.pellmarsh.Pellmarsh.svg)
    if(NOT EXISTS "${STAGE}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
# Whole lines, read as one text. CMake lists split at semicolons, so the categories' semicolons are
# compared as commas.
file(READ "${STAGE}/share/applications/org.pellmarsh.Pellmarsh.desktop" entry)
string(REPLACE ";" "," entry "${entry}")
foreach(line "Name=Pellmarsh" "Exec=pellmarsh" "Icon=org.pellmarsh.Pellmarsh" "Categories=Office,Finance,")
    string(FIND "\n${entry}" "\n${line}\n" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the desktop entry lacks the line ${line}")
    endif()
endforeach()
