# xel_add_resources(target file.res ...): links resource files (32-bit ones, or a single
# component resource as a unit's language file .lng is written) into the resource table of
# the target's module, as the host's {$R file} does. Each file becomes a
# generated source with the bytes and a registration that runs when the module loads.
# Works in the package's own build, in a project that adds it with add_subdirectory, and
# through find_package(XelGlotta): the script lies beside this file in each case.
function(xel_add_resources target)
  set(script ${CMAKE_CURRENT_FUNCTION_LIST_DIR}/EmbedResource.cmake)
  foreach(res ${ARGN})
    get_filename_component(abs ${res} ABSOLUTE)
    get_filename_component(name ${res} NAME)
    string(MAKE_C_IDENTIFIER ${name} ident)
    set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_res_${ident}.cpp)
    add_custom_command(
      OUTPUT ${out}
      COMMAND ${CMAKE_COMMAND} -DINPUT=${abs} -DOUTPUT=${out} -DNAME=${name} -P ${script}
      DEPENDS ${abs} ${script}
      COMMENT "Linking resources of ${name}"
      VERBATIM)
    target_sources(${target} PRIVATE ${out})
  endforeach()
endfunction()

# xel_add_forms(target form.dfm ...): text form files, converted at build time by the form
# tool into one resource each (named by the root's class), linked like xel_add_resources.
# The package's tool `name` as a target for $<TARGET_FILE:...> and what a step that runs it
# depends on: the target itself when it is built here (the step waits for it), else the
# imported program's file.
function(_xel_find_tool caller name out_tool out_dep)
  # Inside the package's own build the tools may be defined after the caller (its
  # libraries' windows); their names resolve when the build is generated.
  if(TARGET ${name} OR XEL_TOOLS_IN_BUILD)
    set(${out_tool} ${name} PARENT_SCOPE)
    set(${out_dep} ${name} PARENT_SCOPE)
  elseif(TARGET XelGlotta::${name})
    set(${out_tool} XelGlotta::${name} PARENT_SCOPE)
    set(${out_dep} $<TARGET_FILE:XelGlotta::${name}> PARENT_SCOPE)
  else()
    message(FATAL_ERROR "${caller}: the tool ${name} is unknown here (find_package(XelGlotta) first)")
  endif()
endfunction()

function(xel_add_forms target)
  _xel_find_tool(xel_add_forms xelform tool dep)
  foreach(form ${ARGN})
    get_filename_component(abs ${form} ABSOLUTE)
    get_filename_component(we ${form} NAME_WE)
    set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_${we}.res)
    add_custom_command(
      OUTPUT ${res}
      COMMAND $<TARGET_FILE:${tool}> pack --res32 ${res} ${abs}
      DEPENDS ${abs} ${dep}
      COMMENT "Converting form ${we}"
      VERBATIM)
    xel_add_resources(${target} ${res})
  endforeach()
endfunction()

# xel_add_translated_forms(target Form.dfm Form.lng.txt [Form2.dfm Form2.lng.txt ...]): text
# form files in their design language, each with its translations in the package's export
# format. At build time a copy of each form takes in every language of its file
# (glotta import --mode clear), then it is converted and linked like xel_add_forms.
function(xel_add_translated_forms target)
  foreach(name glotta xelform)
    _xel_find_tool(xel_add_translated_forms ${name} ${name}_tool ${name}_dep)
  endforeach()
  set(pairs ${ARGN})
  list(LENGTH pairs count)
  math(EXPR odd "${count} % 2")
  if(count EQUAL 0 OR odd)
    message(FATAL_ERROR "xel_add_translated_forms: give each form file with its language file")
  endif()
  while(pairs)
    list(POP_FRONT pairs form languages)
    get_filename_component(form_abs ${form} ABSOLUTE)
    get_filename_component(languages_abs ${languages} ABSOLUTE)
    get_filename_component(we ${form} NAME_WE)
    set(dir ${CMAKE_CURRENT_BINARY_DIR}/${target}_translated)
    set(copy ${dir}/${we}.dfm)
    set(res ${CMAKE_CURRENT_BINARY_DIR}/${target}_${we}.res)
    add_custom_command(
      OUTPUT ${res}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${dir}
      COMMAND ${CMAKE_COMMAND} -E copy ${form_abs} ${copy}
      COMMAND $<TARGET_FILE:${glotta_tool}> import ${copy} ${languages_abs} --mode clear
      COMMAND $<TARGET_FILE:${xelform_tool}> pack --res32 ${res} ${copy}
      DEPENDS ${form_abs} ${languages_abs} ${glotta_dep} ${xelform_dep}
      COMMENT "Translating form ${we}"
      VERBATIM)
    xel_add_resources(${target} ${res})
  endwhile()
endfunction()
