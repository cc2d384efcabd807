/* The program's version and maker, defined once. The About box and the version resource
   (what Explorer shows on the Details tab) are both made from these, and scripts/release
   reads the numbers for the name of the zip.

   Resource compilers join adjacent string literals only in some places (not in a dialog
   control's caption), so every text below is made by the preprocessor as one literal:
   the numbers are pasted into one number token (1.01) and whole phrases are stringized. */
#ifndef QUORVANE_VERSION_H
#define QUORVANE_VERSION_H

#define QUORVANE_VERSION_MAJOR 1
#define QUORVANE_VERSION_MINOR 1 /* shown with two digits: 1.01 */
#define QUORVANE_YEAR 2026
#define QUORVANE_MAKER the quorvane developers

#define QV_STRINGIZE(text) #text
#define QV_TEXT(text) QV_STRINGIZE(text)
#define QV_PASTE4(a, b, c, d) a##b##c##d
#define QV_PASTE3(a, b, c) a##b##c
#define QV_NUMBER4(a, b, c, d) QV_PASTE4(a, b, c, d)
#define QV_NUMBER3(a, b, c) QV_PASTE3(a, b, c)

#if QUORVANE_VERSION_MINOR < 10
#define QUORVANE_VERSION QV_NUMBER4(QUORVANE_VERSION_MAJOR, ., 0, QUORVANE_VERSION_MINOR)
#else
#define QUORVANE_VERSION QV_NUMBER3(QUORVANE_VERSION_MAJOR, ., QUORVANE_VERSION_MINOR)
#endif

/* "1.01" */
#define QUORVANE_VERSION_TEXT QV_TEXT(QUORVANE_VERSION)
/* "quorvane Version 1.01", the About box's name and version line */
#define QUORVANE_ABOUT_VERSION QV_TEXT(quorvane Version QUORVANE_VERSION)
/* "(C) 2026 the quorvane developers", the About box's maker's notice */
#define QUORVANE_ABOUT_NOTICE QV_TEXT((C) QUORVANE_YEAR QUORVANE_MAKER)
/* "Copyright (c) 2026 the quorvane developers", as in LICENSE */
#define QUORVANE_COPYRIGHT QV_TEXT(Copyright (c) QUORVANE_YEAR QUORVANE_MAKER)

#endif
