# Installing like any desktop game, and the Debian package made from it.

set(LUDO_APP_ID org.example.Ludomyra)
set(LUDO_PACKAGING ${CMAKE_SOURCE_DIR}/packaging)
set(LUDO_ICONS ${CMAKE_SOURCE_DIR}/data/icons)

install(TARGETS ludomyra ludomyra-tally RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS ludomyra-audio LIBRARY DESTINATION ${LUDO_AUDIO_MODULE_DIR})

install(FILES ${LUDO_PACKAGING}/${LUDO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${LUDO_PACKAGING}/${LUDO_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${LUDO_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${LUDO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(LUDO_ICON_THEME ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${LUDO_ICONS}/ludomyra.svg DESTINATION ${LUDO_ICON_THEME}/scalable/apps
        RENAME ${LUDO_APP_ID}.svg)
foreach(size 48 256)
    install(FILES ${LUDO_ICONS}/ludomyra-${size}.png
            DESTINATION ${LUDO_ICON_THEME}/${size}x${size}/apps RENAME ${LUDO_APP_ID}.png)
endforeach()

# Files that name installed paths are filled in while installing, so that the
# package (under /usr) and an install under any other prefix name their own.
function(ludo_install_filled_in template destination)
    get_filename_component(name ${template} NAME_WLE)
    install(CODE "
        set(LUDO_BINDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        set(LUDO_DOCDIR \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DOCDIR}\")
        set(PROJECT_VERSION \"${PROJECT_VERSION}\")
        set(PROJECT_HOMEPAGE_URL \"${PROJECT_HOMEPAGE_URL}\")
        set(target \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${destination}/${name}\")
        message(STATUS \"Installing: \${target}\")
        configure_file(\"${template}\" \"\${target}\" @ONLY)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${target}\")")
endfunction()

ludo_install_filled_in(${LUDO_PACKAGING}/ludomyra.6.in ${CMAKE_INSTALL_MANDIR}/man6)
ludo_install_filled_in(${LUDO_PACKAGING}/ludomyra.service.in ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE
              ${CMAKE_SOURCE_DIR}/README.md
              ${CMAKE_SOURCE_DIR}/data/words/SCOWL-COPYRIGHT.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

# The Debian package. Libraries come from dpkg-shlibdeps; what Qt loads at
# run time by itself (platform, image and sound plugins, the fonts that stand
# in for Arial) is invisible to it and listed here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ludomyra)
set(CPACK_PACKAGE_VENDOR "The Ludomyra developers")
set(CPACK_PACKAGE_CONTACT "The Ludomyra developers <ludomyra@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "word-guessing game dressed as a pool table")
set(CPACK_PACKAGE_DESCRIPTION "Each pool ball stands for a hidden five-letter word whose \
first letter is given; whoever finds the word pockets the ball. Up to five players on a network, \
spectators, a computer player, chat, and four game types. Also runs as a host without windows \
(--serve).")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, libqt6svg6, libqt6multimedia6, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core")
include(CPack)
