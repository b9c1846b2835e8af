# The README's first application is the example itself: each of its files stands there
# as it is, so the README cannot drift from code that compiles.
file(READ ${SOURCE}/README.md readme)
foreach(f main.cpp HelloForm.h HelloForm.cpp CMakeLists.txt)
  file(READ ${SOURCE}/examples/hello/${f} code)
  string(FIND "${readme}" "${code}" at)
  if(at LESS 0)
    message(FATAL_ERROR "README.md does not show examples/hello/${f} as it is")
  endif()
endforeach()
message(STATUS "README: 1 passed, 0 failed")
