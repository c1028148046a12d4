# The program as a desktop application: launcher, icons, manual page, user guide.
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/pelorin.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/pelorin.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
foreach(size 16 32 48 64 128)
    set(picture ${PROJECT_SOURCE_DIR}/resources/icons/pelorin-${size}.png)
    if(EXISTS ${picture})
        install(FILES ${picture} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME pelorin.png)
    endif()
endforeach()
