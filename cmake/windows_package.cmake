# The Windows program, its folder and its packages. Included by
# packaging.cmake when building for Windows, after the packages' name,
# version, vendor and home page.
#
# kidsum.exe is a GUI program carrying the version record and icon of
# kidsum.rc. `cmake --install` lays out the folder the program runs from:
# kidsum.exe with img\, help.htm and Qt's Chinese catalogue beside it, the Qt
# DLLs and the plug-ins it loads (platform, JPEG and ICO readers, the native
# style), and the MinGW runtime, every binary stripped. CPack makes the zip
# (unpack anywhere and run) and the NSIS installer of that folder.

target_sources(kidsum PRIVATE "${kidsum_packaging_out}/windows/kidsum.rc")
set_source_files_properties("${kidsum_packaging_out}/windows/kidsum.rc"
    PROPERTIES INCLUDE_DIRECTORIES "${kidsum_packaging_out}/windows")
set_target_properties(kidsum PROPERTIES WIN32_EXECUTABLE ON)

install(TARGETS kidsum RUNTIME DESTINATION .)
install(DIRECTORY "${KIDSUM_ASSET_DIR}/img" DESTINATION .)
install(FILES "${CMAKE_CURRENT_SOURCE_DIR}/menus/help.htm" DESTINATION .)
if(KIDSUM_QT_CATALOGUE)
    install(FILES "${KIDSUM_QT_CATALOGUE}" DESTINATION .)
else()
    message(WARNING "the Windows folder will not carry Qt's Chinese catalogue")
endif()

# Qt: the three libraries the program links and the plug-ins it loads.
install(FILES $<TARGET_FILE:Qt6::Core> $<TARGET_FILE:Qt6::Gui> $<TARGET_FILE:Qt6::Widgets>
    DESTINATION .)
set(kidsum_qt_plugins
    "platforms|Qt6::QWindowsIntegrationPlugin"
    "imageformats|Qt6::QJpegPlugin"
    "imageformats|Qt6::QICOPlugin"
    "styles|Qt6::QModernWindowsStylePlugin")
foreach(pair IN LISTS kidsum_qt_plugins)
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 folder)
    list(GET pair 1 plugin)
    if(NOT TARGET ${plugin})
        message(FATAL_ERROR "the Qt for Windows has no plug-in ${plugin}")
    endif()
    install(FILES $<TARGET_FILE:${plugin}> DESTINATION ${folder})
endforeach()

# The MinGW runtime, as the compiler knows it, and binaries without their
# debug sections, which make up most of Qt's DLLs. (An MSVC build has its
# runtime installed by Windows and its debug data in separate files.)
if(MINGW)
    foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
        execute_process(COMMAND "${CMAKE_CXX_COMPILER}" -print-file-name=${dll}
            OUTPUT_VARIABLE dll_path OUTPUT_STRIP_TRAILING_WHITESPACE)
        if(NOT IS_ABSOLUTE "${dll_path}" OR NOT EXISTS "${dll_path}")
            message(FATAL_ERROR "${CMAKE_CXX_COMPILER} knows no ${dll}")
        endif()
        install(FILES "${dll_path}" DESTINATION .)
    endforeach()

    if(NOT CMAKE_STRIP)
        message(FATAL_ERROR "no strip for the Windows binaries")
    endif()
    install(CODE "
        file(GLOB_RECURSE kidsum_binaries \"\${CMAKE_INSTALL_PREFIX}/*.dll\" \"\${CMAKE_INSTALL_PREFIX}/*.exe\")
        foreach(binary IN LISTS kidsum_binaries)
            execute_process(COMMAND \"${CMAKE_STRIP}\" --strip-unneeded \"\${binary}\" RESULT_VARIABLE failed)
            if(failed)
                message(FATAL_ERROR \"could not strip \${binary}\")
            endif()
        endforeach()
    ")
endif()

# The licences of what the folder ships, and NOTICES.txt, which names each
# part with its version, licence and source: copied from this machine's
# Debian files when configuring (tools/windows_notices.py).
set(kidsum_notices "${kidsum_packaging_out}/windows/notices")
set(kidsum_notices_script "${CMAKE_CURRENT_SOURCE_DIR}/tools/windows_notices.py")
set(kidsum_notices_inputs
    "${kidsum_packaging_out}/debian/copyright" "${KIDSUM_QT_STAMP}" "${KIDSUM_ASSET_DIR}/README.md")
set(kidsum_qt_build_files "${CMAKE_CURRENT_SOURCE_DIR}/scripts/windows/build-qt.sh"
    "${CMAKE_CURRENT_SOURCE_DIR}/scripts/windows/qt-cache.sh"
    "${CMAKE_CURRENT_SOURCE_DIR}/scripts/debian-root.sh"
    "${CMAKE_CURRENT_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake")
find_program(KIDSUM_PYTHON python3 REQUIRED)
execute_process(COMMAND "${KIDSUM_PYTHON}" "${kidsum_notices_script}" "${kidsum_notices}"
        ${kidsum_notices_inputs} ${kidsum_qt_build_files}
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "could not write the licences and notices of the Windows program")
endif()
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    "${kidsum_notices_script}" ${kidsum_notices_inputs} ${kidsum_qt_build_files})
install(FILES "${kidsum_notices}/NOTICES.txt" DESTINATION .)
install(DIRECTORY "${kidsum_notices}/licenses" DESTINATION .)

# cpack (in the build folder) writes kidsum-<version>-win64.zip and
# kidsum-<version>-win64-setup.exe.
set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${KIDSUM_TITLE}")
set(CPACK_PACKAGE_FILE_NAME "kidsum-${PROJECT_VERSION}-win64")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "${KIDSUM_TITLE}")
set(CPACK_NSIS_MUI_ICON "${KIDSUM_ASSET_DIR}/icon/kidsum.ico")
set(CPACK_NSIS_MUI_UNIICON "${KIDSUM_ASSET_DIR}/icon/kidsum.ico")
# Our own installer script: Chinese pages only, a Start-menu entry, an
# uninstaller registered with Windows.
set(CPACK_MODULE_PATH "${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows")
set(KIDSUM_NSIS_TITLE "${KIDSUM_TITLE}")
set(KIDSUM_NSIS_VERSION_NUMBERS "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.${PROJECT_VERSION_PATCH}")
configure_file("${CMAKE_CURRENT_SOURCE_DIR}/packaging/windows/cpack_options.cmake.in"
    "${kidsum_packaging_out}/windows/cpack_options.cmake" @ONLY)
set(CPACK_PROJECT_CONFIG_FILE "${kidsum_packaging_out}/windows/cpack_options.cmake")
include(CPack)
