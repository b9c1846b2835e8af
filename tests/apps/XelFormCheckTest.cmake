# The form tool on broken forms: each case changes the good form (or takes a cut binary),
# runs one command and expects its exit code and a line that names the file and the place.
# Cases: name | command (FILE is the case's file) | text to replace | replacement | exit | regex
cmake_policy(SET CMP0007 NEW)  # empty fields of a case stay fields
file(MAKE_DIRECTORY ${OUT})
file(READ ${DATA}/CheckedForm.dfm good)
set(cases
  "good|check FILE|||0|^$"
  "syntax|check FILE|Caption = '&Greet'|Caption = ('&Greet'|1|syntax.dfm:23:11: Invalid property value"
  "syntax-tobinary|tobinary FILE OUT.dfm|Caption = '&Greet'|Caption = ('&Greet'|1|syntax-tobinary.dfm:23:11: Invalid property value"
  "property|check FILE|Caption = '&Greet'|Captian = 1|1|property.dfm:22:5: Error reading ButtonGreet.Captian: Property Captian does not exist"
  "property-unchecked|pack --no-check OUT.res FILE|Caption = '&Greet'|Captian = 1|0|^$"
  "class|check FILE|TButton|TNoButton|1|class.dfm:17:3: Class TNoButton not found"
  "class-pack|pack OUT.res FILE|TButton|TNoButton|0|class-pack.dfm:17:3: warning: Class TNoButton not found"
  "reference|check FILE|Glotta = Glotta|Glotta = Nothing|1|reference.dfm:32:5: the component Nothing does not exist"
  "reference-pack|pack OUT.res FILE|Glotta = Glotta|Glotta = Nothing|1|reference-pack.dfm:32:5: the component Nothing does not exist"
  "language-ref|check FILE|Ref = LabelGreeting|Ref = LabelGone|1|language-ref.dfm:72:9: language data name component LabelGone, which the form does not have: LabelGone.Caption"
  "language-property|check FILE|Name = 'Caption'|Name = 'Captoin'|1|language-property.dfm:64:11: language data of LabelGreeting.Captoin: the property does not exist"
  "language-slots|check FILE|Count = 2|Count = 3|1|language-slots.dfm:51:11: language data of CheckedForm.Caption: 3 value slots for 2 languages"
  "language-buffer|check FILE|0D00000000010000264772|0D00000000990000264772|1|language-buffer.dfm:77:11: language data of ButtonGreet.Caption: the value of Deutsch does not decode: Invalid buffer entry"
  "truncated|check ${DATA}/Truncated.dfm|||1|^[^\n]*Truncated.dfm: byte 696: CheckedForm.Glotta.LanguageManager_Comps.1.: [^\n]*Stream read error\n$"
  "truncated-show|show ${DATA}/Truncated.dfm|||1|Truncated.dfm: byte 696: CheckedForm.Glotta.LanguageManager_Comps.1.: Stream read error"
)
set(failed 0)
set(count 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" parts "${case}")
  list(GET parts 0 name)
  list(GET parts 1 command)
  list(GET parts 2 from)
  list(GET parts 3 to)
  list(GET parts 4 exit)
  list(GET parts 5 expected)
  set(text "${good}")
  if(NOT from STREQUAL "")
    string(REPLACE "${from}" "${to}" text "${good}")
  endif()
  file(WRITE ${OUT}/${name}.dfm "${text}")
  string(REPLACE "FILE" "${OUT}/${name}.dfm" command "${command}")
  string(REPLACE "OUT." "${OUT}/${name}-out." command "${command}")
  separate_arguments(args UNIX_COMMAND "${command}")
  execute_process(COMMAND ${XELFORM} ${args} RESULT_VARIABLE rc ERROR_VARIABLE err OUTPUT_QUIET)
  math(EXPR count "${count} + 1")
  if(NOT rc EQUAL exit OR NOT err MATCHES "${expected}")
    message(SEND_ERROR "${name}: exit ${rc} (want ${exit}), stderr:\n${err}")
    math(EXPR failed "${failed} + 1")
  endif()
endforeach()
math(EXPR passed "${count} - ${failed}")
message(STATUS "xelform check: ${passed} passed, ${failed} failed")
