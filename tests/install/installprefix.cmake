# Installs the build BUILD into PREFIX afresh, then takes every write permission off PREFIX, as a
# system folder is to a learner.
if(EXISTS ${PREFIX})
  execute_process(COMMAND chmod -R u+w ${PREFIX})
  file(REMOVE_RECURSE ${PREFIX})
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD} --prefix ${PREFIX} COMMAND_ERROR_IS_FATAL ANY
                OUTPUT_QUIET)
execute_process(COMMAND chmod -R a-w ${PREFIX} COMMAND_ERROR_IS_FATAL ANY)
