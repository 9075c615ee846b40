/* The floor of a script run's start: a process that loads libcups, parses a
 * printer description and marks its defaults, and does nothing else.
 *   ppd_parse_floor FILE.ppd */
#include <cups/ppd.h>
#include <stdio.h>

/* libcups marks its whole PPD interface deprecated; it is what is measured. */
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

int main(int argc, char** argv) {
  if (argc != 2) {
    fprintf(stderr, "usage: %s FILE.ppd\n", argv[0]);
    return 2;
  }
  ppd_file_t* ppd = ppdOpenFile(argv[1]);
  if (ppd == NULL) {
    fprintf(stderr, "%s: %s\n", argv[1], ppdErrorString(ppdLastError(NULL)));
    return 3;
  }
  ppdMarkDefaults(ppd);
  ppdClose(ppd);
  return 0;
}
