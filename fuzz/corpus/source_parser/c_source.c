1#include <stdio.h>
/* a comment */
int main(void) {
  const char* s = "a\"b\
 continued";
  char c = '\''; // line
  return 0;
}
