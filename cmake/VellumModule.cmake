# vellum_module(TARGET NAME [SUBDIR]) makes TARGET a loadable module named
# exactly NAME (for example "vellum.library" or "vellum.mcc"), placed in the
# build's LIBS/ folder (or LIBS/SUBDIR/), where the host's LIBS: assign finds it.
function(vellum_module target name)
  set(dir ${VELLUM_LIBS_DIR})
  if(ARGC GREATER 2)
    set(dir ${VELLUM_LIBS_DIR}/${ARGV2})
  endif()
  set_target_properties(${target} PROPERTIES
    PREFIX "" SUFFIX "" OUTPUT_NAME ${name}
    LIBRARY_OUTPUT_DIRECTORY ${dir}
    CXX_VISIBILITY_PRESET hidden)
endfunction()
