# vellum_install(TARGET DESTINATION) installs TARGET into DESTINATION (below
# the prefix) with a RUNPATH that finds the project's shared libraries from
# there, relative to the file itself ($ORIGIN): the installed tree works
# wherever it is moved, and never looks into a build tree.
include(GNUInstallDirs)

function(vellum_install target destination)
  file(RELATIVE_PATH to_libdir /${destination} /${CMAKE_INSTALL_LIBDIR})
  if(to_libdir)
    set(runpath "$ORIGIN/${to_libdir}")
  else()
    set(runpath "$ORIGIN")
  endif()
  set_target_properties(${target} PROPERTIES INSTALL_RPATH "${runpath}")
  target_link_options(${target} PRIVATE -Wl,--enable-new-dtags)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    install(TARGETS ${target} RUNTIME DESTINATION ${destination})
  else()
    install(TARGETS ${target} LIBRARY DESTINATION ${destination})
  endif()
endfunction()
