# The program as a desktop application: launcher, icons, manual page, user guide.
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/pelorin.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(CODE "
    set(PELORIN_MAN_TEMPLATE \"${PROJECT_SOURCE_DIR}/resources/desktop/pelorin.1.in\")
    set(PELORIN_MANDIR \"${CMAKE_INSTALL_MANDIR}\")
    set(PELORIN_MAKESAMPLE \"$<TARGET_FILE:makesample>\")
    set(PELORIN_DATADIR \"${CMAKE_INSTALL_DATADIR}\")
    set(PELORIN_STAGING \"${PROJECT_BINARY_DIR}/install-staging\")")
install(SCRIPT ${PROJECT_SOURCE_DIR}/cmake/InstallGenerated.cmake)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
    FILES_MATCHING PATTERN "*.png")
foreach(size 16 32 48 64 128)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/pelorin-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME pelorin.png)
endforeach()
