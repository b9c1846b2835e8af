# Writes OUTPUT, a C++ source that holds the bytes of INPUT (a 32-bit resource file) and
# registers them with the resource table of the module it is linked into.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" len)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
if(len EQUAL 0)
  set(bytes "0")
endif()
file(WRITE ${OUTPUT} "// Generated from ${NAME}; do not edit.
#include <cstdio>

#include \"Resources.h\"

namespace {

alignas(4) const unsigned char Data[] = {
${bytes}};

struct TRegistration {
  TRegistration() {
    try {
      ::xel::RegisterModuleResources(Data, Data, sizeof Data);
    } catch (const ::xel::Exception& e) {
      std::fprintf(stderr, \"${NAME}: %s\\n\", e.what());
    }
  }
} Registration;

}  // namespace
")
