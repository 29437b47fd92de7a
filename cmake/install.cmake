# Install rules: both programs, the help page beside the window, and a desktop entry.
include(GNUInstallDirs)
install(TARGETS framewright-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(TARGET framewright)
  install(TARGETS framewright RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES data/framewright.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The help page lies beside the executable, where the window looks for it.
  install(FILES src/app/framewright-help.html DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
