# Runs glotta's exchange with translators' tools and its checks on the demo's windows:
# every window goes out as PO, XLIFF 1.2 and XLIFF 2.0 files and comes back from them with
# nothing lost; the demo passes every check, broken translations fail it with one line
# per fault; a pseudo-language is added.
include(${CMAKE_CURRENT_LIST_DIR}/GlottaToolRun.cmake)

foreach(window MainForm DetailsForm ToolsForm)
  set(original ${DEMO}/${window}.dfm)
  run(0 export ${original} -o ${OUT}/${window}.txt)
  run(0 check ${original})
  # The reference: the export file's own round trip (a clearing import orders the
  # components as the form does).
  file(COPY ${original} DESTINATION ${OUT}/${window}-text)
  run(0 import ${OUT}/${window}-text/${window}.dfm ${OUT}/${window}.txt --mode clear)
  run(0 export ${OUT}/${window}-text/${window}.dfm -o ${OUT}/${window}-reference.txt)
  math(EXPR passed "${passed} + 1")
  foreach(format po xliff xliff2)
    set(dir ${OUT}/${window}-${format})
    run(0 export ${original} --format ${format} -o ${dir})
    # The same data give the same files.
    file(GLOB first ${dir}/*)
    list(GET first 0 one)
    file(READ ${one} before)
    run(0 export ${original} --format ${format} -o ${dir})
    file(READ ${one} again)
    if(NOT before STREQUAL again)
      message(FATAL_ERROR "${format}: a second export of ${window} differs")
    endif()
    # Back into a copy whose language data are replaced by what the files hold.
    file(COPY ${original} DESTINATION ${dir}/form)
    file(GLOB files ${dir}/*.po ${dir}/*.xlf)
    list(SORT files)
    run(0 import ${dir}/form/${window}.dfm ${files} --mode clear)
    run(0 export ${dir}/form/${window}.dfm -o ${dir}/back.txt)
    expect_same(${OUT}/${window}-reference.txt ${dir}/back.txt "${window} through ${format}")
  endforeach()
endforeach()

# One language to stdout, and a changed source text marks the translation fuzzy.
run(0 export ${DEMO}/MainForm.dfm --format po --language Deutsch)
expect_match("${out}" "msgctxt \"ButtonMessage.Caption\"\nmsgid \"&Message\"\nmsgstr \"&Meldung\"" "po entry")
file(COPY ${DEMO}/MainForm.dfm DESTINATION ${OUT}/fuzzy)
run(0 export ${OUT}/fuzzy/MainForm.dfm --format po --language Deutsch -o ${OUT}/fuzzy/de.po)
file(WRITE ${OUT}/fuzzy/en.txt "[TDemoMainForm.English]\r\nButtonMessage.Caption='&Note'\r\n")
run(0 import ${OUT}/fuzzy/MainForm.dfm ${OUT}/fuzzy/en.txt --mode add-all)
run(0 export ${OUT}/fuzzy/MainForm.dfm --format po --language Deutsch -o ${OUT}/fuzzy/de.po)
file(READ ${OUT}/fuzzy/de.po text)
expect_match("${text}" "#, fuzzy\n#[|] msgid \"&Message\"\nmsgctxt \"ButtonMessage.Caption\"\nmsgid \"&Note\"" "fuzzy entry")

# A line that has no item names its place in the translator's file.
file(WRITE ${OUT}/fuzzy/old.po "msgid \"\"\nmsgstr \"X-Glotta-Language: Deutsch\\n\"\n\nmsgctxt \"Button9.Caption\"\nmsgid \"Old\"\nmsgstr \"Alt\"\n")
run(1 import ${OUT}/fuzzy/MainForm.dfm ${OUT}/fuzzy/old.po --mode add-all)
expect_match("${err}" "old.po:4: error: not imported: [[]TDemoMainForm.Deutsch[]]=Button9.Caption=Alt" "place of a line")

# Broken translations: one line per fault, exit 1; rules can be switched off; JSON for tools.
file(COPY ${DEMO}/MainForm.dfm DESTINATION ${OUT}/broken)
set(form ${OUT}/broken/MainForm.dfm)
file(WRITE ${OUT}/broken/de.txt "[TDemoMainForm.Deutsch]\r\nButtonMessage.Caption='&Meldung und weiter zum naechsten Fenster'\r\nTDemoMainForm.Caption='  Demo'\r\n")
run(0 import ${form} ${OUT}/broken/de.txt --mode add-all)
run(1 check ${form})
expect_match("${out}" "MainForm.dfm: ButtonMessage.Caption: Deutsch: fit: text is [0-9]+ pixels wide" "fit line")
expect_match("${out}" "MainForm.dfm: TDemoMainForm.Caption: Deutsch: blanks: " "blanks line")
# Measured with the font the window draws in (Qt's), not with the headless set's fixed metrics.
string(REGEX MATCH "fit: text is [0-9]+" drawn "${out}")
run(1 check ${form} --widgetset=headless)
string(REGEX MATCH "fit: text is [0-9]+" fixed "${out}")
if(drawn STREQUAL fixed)
  message(FATAL_ERROR "the fit rule measured with fixed metrics: ${drawn}")
endif()
run(0 check ${form} --disable fit,blanks)
run(1 check ${form} --format json --disable fit)
expect_match("${out}" "^[[]\n  {\"file\": \"[^\"]*MainForm.dfm\", \"item\": \"TDemoMainForm.Caption\", \"language\": \"Deutsch\", \"rule\": \"blanks\", \"message\": \"[^\"]*\"}\n[]]\n$" "json")
run(2 check ${form} --disable spelling)

# The named strings against the program's sources: the demo's own, then one that goes wrong.
run(0 check ${DEMO}/MainForm.dfm --sources ${SRC}/apps/demo/DemoForms.cpp)
file(WRITE ${OUT}/Unit.cpp "#include \"Unit.h\"\n\nString A() { return Glotta()->GetString(\"MessageText\"); }\n"
           "String B() { return Glotta()->GetString(\"Mesage\"); }\nString C(const String& n) { return Glotta()->GetString(n); }\n")
run(1 check ${DEMO}/MainForm.dfm --sources ${OUT}/Unit.cpp)
expect_match("${out}" "MainForm.dfm: Glotta.#Mesage: [*]: source: used at [^\n]*Unit.cpp:4 but not defined\n" "unknown name")
expect_match("${out}" "MainForm.dfm: [^\n]*Unit.cpp:5: [*]: source: the name is no single literal: GetString[(]n[)]" "no literal")
expect_match("${out}" "MainForm.dfm: Glotta.#AboutText: [*]: source: defined but used by none of the sources" "unused")
run(0 check ${DEMO}/MainForm.dfm --sources ${OUT}/Unit.cpp --disable source)

# A pseudo-language of the design language.
run(0 pseudo ${form} --language Pseudo)
# Its marks are no faults of punctuation or blanks (only the broken German is left).
run(1 check ${form} --disable fit)
expect_match("${out}" "^[^\n]*TDemoMainForm.Caption: Deutsch: blanks: [^\n]*\n$" "pseudo-language checked")
run(0 export ${form} --format po --language Pseudo)
expect_match("${out}" "msgid \"&Message\"\nmsgstr \"[[]&Méššåĝé ~~~~[]]\"" "pseudo text")
run(0 list ${form})
expect_match("${out}" "languages: English [(]active[)] Deutsch Fran[^ ]*ais Pseudo" "pseudo language listed")

message(STATUS "glotta formats: ${passed} passed, 0 failed")
