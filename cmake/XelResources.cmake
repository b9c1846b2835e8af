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

# xel_add_forms(target form.dfm ...): text form files, converted at build time by the form
# tool into one resource each (named by the root's class), linked like xel_add_resources.
function(xel_add_forms target)
  foreach(form ${ARGN})
    get_filename_component(abs ${form} ABSOLUTE)
    get_filename_component(we ${form} NAME_WE)
    set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_${we}.res)
    add_custom_command(
      OUTPUT ${res}
      COMMAND xelform pack --res32 ${res} ${abs}
      DEPENDS ${abs} xelform
      COMMENT "Converting form ${we}"
      VERBATIM)
    xel_add_resources(${target} ${res})
  endforeach()
endfunction()
