# What a system install holds, and the Debian package made of it with "cpack -G DEB". Runtime
# libraries are worked out by dpkg-shlibdeps; only what is loaded without linking is named here.

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS tessora tessora-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES data/tessora.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES data/tessora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES data/tessora.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME org.example.tessora.Tessora.metainfo.xml)
install(DIRECTORY data/motive/ DESTINATION ${TESSORA_DATA_DIR}/motive
        FILES_MATCHING PATTERN "*.png")

# Manual pages and the changelog are installed compressed, without name or time stamp, so the
# package is the same on every build.
set(compressed_files "")
foreach(source data/man/tessora.1 data/man/tessora-cli.1 packaging/changelog)
    get_filename_component(name ${source} NAME)
    set(compressed ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
        COMMAND gzip -9 -n -c ${CMAKE_SOURCE_DIR}/${source} > ${compressed}
        DEPENDS ${CMAKE_SOURCE_DIR}/${source} VERBATIM)
    list(APPEND compressed_files ${compressed})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed_files})
install(FILES ${CMAKE_BINARY_DIR}/compressed/tessora.1.gz ${CMAKE_BINARY_DIR}/compressed/tessora-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_BINARY_DIR}/compressed/changelog.gz packaging/copyright
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tessora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tessora)
set(CPACK_PACKAGE_VENDOR Kelvara)
set(CPACK_PACKAGE_CONTACT "Kelvara <tessora@example.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://tessora.example.org/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The chart font, the readers of TIFF and WebP pictures (Qt plugins), German labels in Qt's
# own dialogs: none of them is linked, so dpkg-shlibdeps cannot see them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, qt6-image-formats-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Vorlagen für Bügelperlen aus Bildern")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tessora tastet ein Bild auf eine Perle je Rasterplatz ab, gibt jeder Perle
die am besten passende der gewählten Perlenfarben (oder verteilt den
Farbfehler auf die Nachbarperlen), zeichnet eine nummerierte Perlenvorlage,
lässt einzelne Perlen korrigieren, speichert und druckt die Vorlage und
zählt die Perlen jeder Farbe. tessora-cli rechnet dasselbe ohne Fenster.
Beispielmotive liegen in /usr/share/tessora/motive.")
include(CPack)
