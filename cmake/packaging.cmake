# Installing, packaging and the Windows version record.
#
# Linux: the application folder (kidsum, img/, help.htm) goes to
# <prefix>/lib/kidsum, because the program reads its pictures and help page
# from the folder of its executable; <prefix>/bin/kidsum is a relative link to
# it (Qt resolves the link through /proc/self/exe, so the program still finds
# its folder). Desktop entry, icons, AppStream metadata, manual page and the
# Debian copyright and changelog go where the desktop and dpkg look for them.
# Windows: the program's folder and its zip and installer, in
# windows_package.cmake.

include(GNUInstallDirs)

set(KIDSUM_INSTALL_APPDIR "lib/kidsum" CACHE STRING
    "Application folder under the prefix (the executable, img/ and help.htm)")

set(kidsum_packaging_src "${CMAKE_CURRENT_SOURCE_DIR}/packaging")
set(kidsum_packaging_out "${CMAKE_CURRENT_BINARY_DIR}/packaging")
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The version record writes 1.0.4 as 1,0,0,4 and as the text 1.00.0004.
function(kidsum_zero_pad out value width)
    string(LENGTH "${value}" length)
    while(length LESS width)
        string(PREPEND value "0")
        math(EXPR length "${length} + 1")
    endwhile()
    set(${out} "${value}" PARENT_SCOPE)
endfunction()
kidsum_zero_pad(kidsum_rc_minor "${PROJECT_VERSION_MINOR}" 2)
kidsum_zero_pad(kidsum_rc_patch "${PROJECT_VERSION_PATCH}" 4)
set(KIDSUM_RC_VERSION_NUMBERS
    "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,${PROJECT_VERSION_PATCH}")
set(KIDSUM_RC_VERSION_TEXT "${PROJECT_VERSION_MAJOR}.${kidsum_rc_minor}.${kidsum_rc_patch}")

# Configured on every platform so that the test below can compile it here; the
# icon is copied beside it because the script names it without a folder.
configure_file("${kidsum_packaging_src}/windows/kidsum.rc.in"
    "${kidsum_packaging_out}/windows/kidsum.rc" @ONLY)
configure_file("${KIDSUM_ASSET_DIR}/icon/kidsum.ico"
    "${kidsum_packaging_out}/windows/kidsum.ico" COPYONLY)

# What the Debian package and the Windows zip and installer all say of
# themselves; each sets its generators and the rest.
set(CPACK_PACKAGE_NAME kidsum)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Lele")
set(CPACK_PACKAGE_HOMEPAGE_URL "${KIDSUM_MAIN_BASE}/")

if(WIN32)
    include("${CMAKE_CURRENT_LIST_DIR}/windows_package.cmake")
    return()
endif()

# Qt's project setup gives installed programs a $ORIGIN search path; ours
# links only the system's Qt, so it needs none.
set_target_properties(kidsum PROPERTIES INSTALL_RPATH "")
install(TARGETS kidsum RUNTIME DESTINATION "${KIDSUM_INSTALL_APPDIR}")
install(DIRECTORY "${KIDSUM_ASSET_DIR}/img" DESTINATION "${KIDSUM_INSTALL_APPDIR}")
install(FILES "${CMAKE_CURRENT_SOURCE_DIR}/menus/help.htm" DESTINATION "${KIDSUM_INSTALL_APPDIR}")
if(KIDSUM_OWN_FACES_DIR)
    install(DIRECTORY "${KIDSUM_OWN_FACES_DIR}" DESTINATION "${KIDSUM_INSTALL_APPDIR}")
endif()
# A prefix install carries Qt's Chinese catalogue beside the program, so it
# speaks Chinese on any distribution. The Debian package leaves it out and
# depends on qt6-translations-l10n instead (below): Debian keeps the catalogue
# in step with its Qt there, and the program finds it in Qt's folder.
if(KIDSUM_QT_CATALOGUE)
    install(FILES "${KIDSUM_QT_CATALOGUE}" DESTINATION "${KIDSUM_INSTALL_APPDIR}"
        COMPONENT qt_catalogue)
endif()

# A relative link keeps the tree movable: a DESTDIR or a package stage works.
file(RELATIVE_PATH kidsum_link_target "/${CMAKE_INSTALL_BINDIR}" "/${KIDSUM_INSTALL_APPDIR}/kidsum")
file(MAKE_DIRECTORY "${kidsum_packaging_out}/bin")
file(CREATE_LINK "${kidsum_link_target}" "${kidsum_packaging_out}/bin/kidsum" SYMBOLIC)
install(FILES "${kidsum_packaging_out}/bin/kidsum" DESTINATION "${CMAKE_INSTALL_BINDIR}")

set(KIDSUM_DESKTOP_FILE "kidsum.desktop")
set(KIDSUM_METAINFO_FILE "example.lele.kidsum.metainfo.xml")
install(FILES "${kidsum_packaging_src}/linux/${KIDSUM_DESKTOP_FILE}"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
install(FILES "${kidsum_packaging_src}/linux/${KIDSUM_METAINFO_FILE}"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
set(KIDSUM_ICON_SIZES 16 32 48 64 128 256)
foreach(size IN LISTS KIDSUM_ICON_SIZES)
    install(FILES "${KIDSUM_ASSET_DIR}/icon/kidsum-${size}.png"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps"
        RENAME kidsum.png)
endforeach()
install(FILES "${kidsum_packaging_src}/debian/copyright"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/kidsum")

# Debian wants the manual page and the changelog compressed, without a
# timestamp in the gzip header (-n) so that the package is reproducible.
find_program(KIDSUM_GZIP gzip)
if(KIDSUM_GZIP)
    set(kidsum_compressed)
    foreach(pair "linux/kidsum.1|kidsum.1.gz" "debian/changelog|changelog.gz")
        string(REPLACE "|" ";" pair "${pair}")
        list(GET pair 0 source)
        list(GET pair 1 target)
        add_custom_command(OUTPUT "${kidsum_packaging_out}/${target}"
            COMMAND "${KIDSUM_GZIP}" -9nc "${kidsum_packaging_src}/${source}"
                    > "${kidsum_packaging_out}/${target}"
            DEPENDS "${kidsum_packaging_src}/${source}"
            VERBATIM)
        list(APPEND kidsum_compressed "${kidsum_packaging_out}/${target}")
    endforeach()
    add_custom_target(kidsum_packaging_docs ALL DEPENDS ${kidsum_compressed})
    install(FILES "${kidsum_packaging_out}/kidsum.1.gz" DESTINATION "${CMAKE_INSTALL_MANDIR}/man1")
    install(FILES "${kidsum_packaging_out}/changelog.gz"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/kidsum")
else()
    message(WARNING "gzip not found: the manual page and changelog are not installed")
endif()

# cpack -G DEB in the build folder.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_CONTACT "Lele <maintainer@lele.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "addition and subtraction drill for children aged 4 to 7")
set(CPACK_PACKAGE_DESCRIPTION
    "A window in which a parent or teacher chooses the ranges of two numbers up
to 20 and addition or subtraction; the program then makes questions at random.
The child types the result and every keystroke is checked at once. Pictures
can be shown as a counting hint. All text of the program is in Simplified
Chinese.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt and C++ runtime libraries come from dpkg-shlibdeps; what the program
# needs without linking to it is named here: glyphs for its Chinese text, the
# opener of its help page and web links, and Qt's own texts in Chinese.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-noto-cjk | fonts-wqy-microhei, xdg-utils, qt6-translations-l10n")
# Everything but the catalogue copy (component qt_catalogue).
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_CURRENT_BINARY_DIR};kidsum;Unspecified;/")
include(CPack)

if(BUILD_TESTING)
    set(kidsum_tests "${CMAKE_CURRENT_SOURCE_DIR}/tests/packaging")
    set(kidsum_test_work "${CMAKE_CURRENT_BINARY_DIR}/packaging-tests")
    find_package(Python3 COMPONENTS Interpreter)

    add_test(NAME desktop_entry_valid
        COMMAND sh "${kidsum_tests}/validate.sh" desktop-file-validate
                "${kidsum_packaging_src}/linux/${KIDSUM_DESKTOP_FILE}")
    add_test(NAME metainfo_valid
        COMMAND sh "${kidsum_tests}/validate.sh" appstreamcli validate --no-net
                "${kidsum_packaging_src}/linux/${KIDSUM_METAINFO_FILE}")
    add_test(NAME install_layout
        COMMAND bash "${kidsum_tests}/test_install.sh" "${CMAKE_CURRENT_BINARY_DIR}"
                "${kidsum_test_work}/install" "${PROJECT_VERSION}")
    add_test(NAME deb_package
        COMMAND bash "${kidsum_tests}/test_deb.sh" "${CMAKE_CURRENT_BINARY_DIR}"
                "${kidsum_test_work}/deb" "${PROJECT_VERSION}")
    set_tests_properties(desktop_entry_valid metainfo_valid install_layout deb_package
        PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
    # dpkg takes a lock; the package and the prefix install share nothing else.
    set_tests_properties(deb_package PROPERTIES RUN_SERIAL ON TIMEOUT 300)

    if(Python3_Interpreter_FOUND)
        add_test(NAME high_dpi
            COMMAND "${Python3_EXECUTABLE}" "${kidsum_tests}/test_hidpi.py"
                    "$<TARGET_FILE:kidsum>" "${kidsum_test_work}/hidpi")
        add_test(NAME windows_version_record
            COMMAND "${Python3_EXECUTABLE}" "${kidsum_tests}/check_version_record.py"
                    i686-w64-mingw32-windres "${kidsum_packaging_out}/windows/kidsum.rc"
                    "${kidsum_packaging_out}/windows/kidsum.ico" "${PROJECT_VERSION}"
                    "${kidsum_test_work}/windows")
        set_tests_properties(high_dpi windows_version_record
            PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
    else()
        message(WARNING "python3 not found: high_dpi and windows_version_record are not run")
    endif()
endif()
