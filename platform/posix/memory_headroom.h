#pragma once

// fontconfig and the C library's locale loading do not say when they fail for
// lack of memory: fontconfig goes on with fewer fonts (and, run as root,
// writes those short lists into the system's font caches), newlocale reports
// the locale as missing. So a font look-up is only started, and a locale that
// could not be loaded is only called missing, when 16 MB more could still be
// had, several times what either needs; otherwise this throws std::bad_alloc:
// a look-up that cannot be trusted is an error, not a quiet fallback.
void requireMemoryForLookup();
