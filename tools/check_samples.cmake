# Test: the committed samples are exactly what make-samples writes now.
# cmake -DGENERATOR=make-samples -DSAMPLES=samples/ -DOUT=scratch/ -P check_samples.cmake
file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
execute_process(COMMAND ${GENERATOR} ${OUT} RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "make-samples failed: ${result}")
endif()
file(GLOB written RELATIVE ${OUT} ${OUT}/*.wmf)
if(NOT written)
  message(FATAL_ERROR "make-samples wrote no sample")
endif()
foreach(name IN LISTS written)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUT}/${name} ${SAMPLES}/${name}
                  RESULT_VARIABLE differs)
  if(differs)
    message(FATAL_ERROR "samples/${name} is not what make-samples writes; run make-samples samples")
  endif()
endforeach()
