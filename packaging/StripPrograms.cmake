# Run by CPack on the staged files, before it makes the Debian package: strips the programs and
# vesmer-cli's module the way Debian strips its own, without symbols, the compiler's .comment or
# .note sections.
set(staged "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
file(GLOB programs "${staged}/bin/*")
file(GLOB_RECURSE modules "${staged}/lib/*.so")
if(NOT programs)
    message(FATAL_ERROR "No programs to strip in ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
    execute_process(COMMAND ${CPACK_VESMER_STRIP} --remove-section=.comment --remove-section=.note
                            ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# A module keeps the dynamic symbols it is loaded by.
foreach(module IN LISTS modules)
    execute_process(COMMAND ${CPACK_VESMER_STRIP} --strip-unneeded --remove-section=.comment
                            --remove-section=.note ${module} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
