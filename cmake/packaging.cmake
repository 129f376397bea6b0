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

# The version record writes a version 1.2.3 as 1,2,0,3 and as the text 1.02.0003.
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

# Configured on every platform so that a test can compile it here; the
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

# The desktop entry, AppStream data, manual page and Debian files name the
# title, the version and the website as this build has them. The Windows
# notices take the program's terms from the copyright file.
set(KIDSUM_DESKTOP_FILE "${kidsum_packaging_out}/linux/kidsum.desktop")
set(KIDSUM_METAINFO_FILE "${kidsum_packaging_out}/linux/example.lele.kidsum.metainfo.xml")
foreach(file linux/kidsum.desktop linux/example.lele.kidsum.metainfo.xml linux/kidsum.1
             debian/changelog debian/copyright)
    configure_file("${kidsum_packaging_src}/${file}.in" "${kidsum_packaging_out}/${file}" @ONLY)
endforeach()
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

install(FILES "${KIDSUM_DESKTOP_FILE}" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/applications")
install(FILES "${KIDSUM_METAINFO_FILE}" DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/metainfo")
set(KIDSUM_ICON_SIZES 16 32 48 64 128 256)
foreach(size IN LISTS KIDSUM_ICON_SIZES)
    install(FILES "${KIDSUM_ASSET_DIR}/icon/kidsum-${size}.png"
        DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps"
        RENAME kidsum.png)
endforeach()
install(FILES "${kidsum_packaging_out}/debian/copyright"
    DESTINATION "${CMAKE_INSTALL_DATAROOTDIR}/doc/kidsum")

# Debian wants the manual page and the changelog compressed, without a
# timestamp in the gzip header (-n) so that the package is reproducible.
find_program(KIDSUM_GZIP gzip)
if(KIDSUM_GZIP)
    set(kidsum_compressed)
    foreach(file linux/kidsum.1 debian/changelog)
        get_filename_component(name "${file}" NAME)
        add_custom_command(OUTPUT "${kidsum_packaging_out}/${name}.gz"
            COMMAND "${KIDSUM_GZIP}" -9nc "${kidsum_packaging_out}/${file}"
                    > "${kidsum_packaging_out}/${name}.gz"
            DEPENDS "${kidsum_packaging_out}/${file}"
            VERBATIM)
        list(APPEND kidsum_compressed "${kidsum_packaging_out}/${name}.gz")
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

