// A browser for the tests: writes the address it was given, with a closing newline, to the
// file named by QVZ_STUB_BROWSER_OUT.
#include <windows.h>

#include <stdio.h>
#include <string.h>

int main(int argc, char** argv) {  // a window program: no console comes up
  const char* out = getenv("QVZ_STUB_BROWSER_OUT");
  if (out == NULL) return 1;
  FILE* f = fopen(out, "wb");
  if (f == NULL) return 1;
  for (int i = 1; i < argc; i++) fprintf(f, "%s%s", i > 1 ? " " : "", argv[i]);
  fputs("\n", f);
  fclose(f);
  return 0;
}
