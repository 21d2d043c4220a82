# vmr_embed_resources(<target> RESOURCES <NAME> <file> [<NAME> <file> ...])
#
# Bakes files into an executable the way the game once carried RCDATA resources. At build
# time each call writes one source file with a byte array per resource and a registrar that
# hands them to common/embedded_resources.h before main runs; the file is re-made whenever one
# of the inputs (or the generator) changes. Names are looked up without regard to letter case,
# so two names that differ only in case are refused here rather than shadowing each other.

set(VMR_EMBED_FILE_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_file.cmake)

function(vmr_embed_resources target)
  cmake_parse_arguments(ARG "" "" "RESOURCES" ${ARGN})
  if(NOT TARGET ${target})
    message(FATAL_ERROR "vmr_embed_resources: no target named '${target}'")
  endif()
  if(ARG_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "vmr_embed_resources: unexpected arguments '${ARG_UNPARSED_ARGUMENTS}'")
  endif()
  # A registrar inside a static library is dropped by the linker unless something else pulls
  # its object in, and then the resources would silently be missing.
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "STATIC_LIBRARY" OR type STREQUAL "INTERFACE_LIBRARY")
    message(FATAL_ERROR "vmr_embed_resources: '${target}' must be linked directly (not ${type})")
  endif()

  list(LENGTH ARG_RESOURCES argumentCount)
  math(EXPR odd "${argumentCount} % 2")
  if(argumentCount EQUAL 0 OR odd)
    message(FATAL_ERROR "vmr_embed_resources: RESOURCES wants <NAME> <file> pairs")
  endif()

  # Names already embedded into this target by earlier calls, upper-cased.
  get_target_property(taken ${target} VMR_EMBEDDED_NAMES)
  if(NOT taken)
    set(taken "")
  endif()

  set(defines "")
  set(inputs "")
  set(count 0)
  while(ARG_RESOURCES)
    list(POP_FRONT ARG_RESOURCES name file)
    if(NOT name MATCHES "^[A-Za-z0-9_]+$")
      message(FATAL_ERROR "vmr_embed_resources: resource name '${name}' must be letters, digits and _")
    endif()
    string(TOUPPER "${name}" key)
    if(key IN_LIST taken)
      message(FATAL_ERROR "vmr_embed_resources: '${name}' is embedded into '${target}' twice")
    endif()
    list(APPEND taken ${key})
    get_filename_component(file "${file}" ABSOLUTE BASE_DIR ${CMAKE_CURRENT_SOURCE_DIR})
    # A file in the build tree may be one the build makes (generated pictures), so it need not
    # exist yet; Ninja names it if nothing makes it. A source file must be there already.
    cmake_path(IS_PREFIX CMAKE_BINARY_DIR "${file}" NORMALIZE madeByBuild)
    if(NOT madeByBuild AND (NOT EXISTS "${file}" OR IS_DIRECTORY "${file}"))
      message(FATAL_ERROR "vmr_embed_resources: '${file}' is not a file")
    endif()
    list(APPEND defines "-DVMR_NAME_${count}=${name}" "-DVMR_FILE_${count}=${file}")
    list(APPEND inputs "${file}")
    math(EXPR count "${count} + 1")
  endwhile()
  set_property(TARGET ${target} PROPERTY VMR_EMBEDDED_NAMES "${taken}")

  # Each call gets its own file so a target can be given resources from several places.
  get_target_property(calls ${target} VMR_EMBED_CALLS)
  if(NOT calls)
    set(calls 0)
  endif()
  math(EXPR next "${calls} + 1")
  set_property(TARGET ${target} PROPERTY VMR_EMBED_CALLS ${next})
  set(output ${CMAKE_CURRENT_BINARY_DIR}/${target}_resources_${calls}.cpp)

  add_custom_command(
    OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -DVMR_OUTPUT=${output} -DVMR_COUNT=${count} ${defines}
            -P ${VMR_EMBED_FILE_SCRIPT}
    DEPENDS ${inputs} ${VMR_EMBED_FILE_SCRIPT}
    COMMENT "Embedding resources into ${target}"
    VERBATIM)
  target_sources(${target} PRIVATE ${output})
  # The generated code includes "common/embedded_resources.h" and calls into vmr_common.
  if(TARGET vmr_common)
    target_link_libraries(${target} PRIVATE vmr_common)
  endif()
endfunction()
