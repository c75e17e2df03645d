// ONDRA_PRINTF(f, a): lets the compiler check a printf-style function's
// format (argument f) against its arguments (from a on). MinGW takes plain
// "printf" for the Microsoft runtime's dialect, which lacks %zu; the
// framework's formatting is the C99 one everywhere.
#pragma once

#if defined(__MINGW32__)
#define ONDRA_PRINTF(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define ONDRA_PRINTF(f, a) __attribute__((format(printf, f, a)))
#endif
