# xel_add_resources(target file.res ...): links 32-bit resource files into the resource
# table of the target's module, as the host's {$R file} does. Each file becomes a
# generated source with the bytes and a registration that runs when the module loads.
set(XEL_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResource.cmake)

function(xel_add_resources target)
  foreach(res ${ARGN})
    get_filename_component(abs ${res} ABSOLUTE)
    get_filename_component(name ${res} NAME)
    string(MAKE_C_IDENTIFIER ${name} ident)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_res_${ident}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${abs} -DOUTPUT=${out} -DNAME=${name} -P ${XEL_EMBED_SCRIPT}
      DEPENDS ${abs} ${XEL_EMBED_SCRIPT}
      COMMENT "Linking resources of ${name}"
      VERBATIM)
    target_sources(${target} PRIVATE ${out})
  endforeach()
endfunction()
