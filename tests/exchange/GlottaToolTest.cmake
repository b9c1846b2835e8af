# Runs glotta as a translator and a build script do: a design-language form takes its
# translations, exports them back unchanged, lists and checks itself; broken input fails
# with the documented exit codes and leaves the files as they were; a language file of a
# unit works the same way.
include(${CMAKE_CURRENT_LIST_DIR}/GlottaToolRun.cmake)

# A text form in its design language takes both languages and gives them back unchanged.
file(COPY ${DATA}/GreetingForm.dfm DESTINATION ${OUT})
set(form ${OUT}/GreetingForm.dfm)
run(0 import ${form} ${DATA}/GreetingForm.lng.txt --mode clear)
run(0 export ${form} -o ${OUT}/exported.txt)
expect_same(${DATA}/GreetingForm.lng.txt ${OUT}/exported.txt "export after import")
file(READ ${form} text)
expect_match("${text}" "OnClick = Button1Click" "the event handler's name stays in the form")
expect_match("${text}" "object GreetingForm: TGreetingForm" "the root keeps its class")
run(0 list ${form})
expect_match("${out}" "languages: Deutsch [(]active[)] English" "list: languages")
expect_match("${out}" "named strings: 1" "list: named strings")
expect_match("${out}" "English: 100%" "list: completeness")
run(0 check ${form})

# A line that cannot be placed: exit 1, the form as it was.
file(READ ${form} before)
file(WRITE ${OUT}/broken.txt "[TGreetingForm.English]\r\nButton9.Caption='x'\r\nButton1.Caption='Shut'\r\n")
run(1 import ${form} ${OUT}/broken.txt --mode add-all)
expect_match("${err}" "broken.txt: error: not imported: [[]TGreetingForm.English[]]=Button9.Caption=x" "import error")
file(READ ${form} after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "a failed import changed the form")
endif()

# A missing translation fails the check with file, item, language and message.
file(WRITE ${OUT}/gap.txt "[TGreetingForm.English]\r\nLabel1.Caption=''\r\n")
run(0 import ${form} ${OUT}/gap.txt --mode add-all)
run(1 check ${form})
expect_match("${out}" "GreetingForm.dfm: Label1.Caption: English: missing: missing translation" "check line")

# The binary form is written back binary.
execute_process(COMMAND ${XELFORM} tobinary ${DATA}/GreetingForm.dfm ${OUT}/Binary.dfm RESULT_VARIABLE rc)
run(0 import ${OUT}/Binary.dfm ${DATA}/GreetingForm.lng.txt --mode add-missing)
file(READ ${OUT}/Binary.dfm head LIMIT 4)
expect_match("${head}" "^TPF0" "binary form stays binary")
run(0 export ${OUT}/Binary.dfm)
expect_match("${out}" "Button1.Caption='&Close'" "binary form export")

# A unit's language file: one component resource, named strings only.
execute_process(COMMAND ${XELFORM} pack --res32 --name GREETINGSTRINGS ${OUT}/Greeting.lng ${DATA}/GreetingStrings.txt
                RESULT_VARIABLE rc)
run(0 import ${OUT}/Greeting.lng ${DATA}/GreetingStrings.lng.txt --mode clear)
run(0 export ${OUT}/Greeting.lng -o ${OUT}/strings.txt)
expect_same(${DATA}/GreetingStrings.lng.txt ${OUT}/strings.txt "language file export after import")
execute_process(COMMAND ${XELFORM} show ${OUT}/Greeting.lng OUTPUT_VARIABLE shown)
expect_match("${shown}" "RCDATA GREETINGSTRINGS" "the resource keeps its name")
run(1 check ${OUT}/Greeting.lng)
expect_match("${out}" "Greeting.lng: GreetingStrings.#Saved: Deutsch: missing: missing translation" "language file check")

# Usage and unreadable input.
run(2)
run(2 import ${form} ${DATA}/GreetingForm.lng.txt --mode sometimes)
run(2 export ${OUT}/missing.dfm)
file(WRITE ${OUT}/garbage.dfm "not a form")
run(2 check ${OUT}/garbage.dfm)
math(EXPR passed "${passed} + 4")

message(STATUS "glotta: ${passed} passed, 0 failed")
