// Spanish texts in the character set of the reader. The programs write their
// texts as single Latin-1 bytes ("\xF3" for the o with its accent) and call
// one of the two functions below, which turn those bytes into what the
// reader's terminal or file expects; a text already in UTF-8 would be
// converted twice.
#ifndef P3_TERMINAL_H
#define P3_TERMINAL_H

#include <cstddef>
#include <string>

// Character set of the environment's locale: the one LC_CTYPE gets from
// setlocale(LC_CTYPE, "") and nl_langinfo(CODESET): UTF-8, ASCII (the C and
// POSIX locales), any other Latin-1. When the C library cannot load that
// locale (not generated), it is read from the name in LC_ALL, LC_CTYPE or
// LANG, the first one set: ".UTF-8" or ".utf8" means UTF-8, any other name
// Latin-1.
namespace raices {
enum class JuegoCaracteres { latin1, utf8, ascii };
JuegoCaracteres juego_del_entorno();

// A line (without its '\n') broken at blanks into parts of at most ancho
// columns, each but the last followed by '\n'; the blanks at a break are
// dropped, the line's own indentation is kept, and a word wider than ancho
// stands alone on its part. Columns are characters of the juego: bytes, or
// in UTF-8 the bytes that start a character.
std::string ajusta_linea(const std::string &linea, std::size_t ancho, JuegoCaracteres juego);

// When standard error is a terminal: from now on every line written to
// std::cerr wider than the terminal reaches it wrapped by ajusta_linea, at
// the width the terminal has when the line ends (none when it does not
// tell its width). juego is the character set
// of what reaches the terminal. Pipes and files are left alone. Called by
// the two functions below; once is enough.
void ajusta_errores(JuegoCaracteres juego);
} // namespace raices

// For the texts whose bytes are fixed (rootbench's dialogue and its lines on
// standard error). Call once, first thing in main. For standard output and,
// separately, standard error: when the stream is a terminal and the
// environment's character set is UTF-8, every byte written to std::cout /
// std::cerr from then on is converted from Latin-1 to UTF-8. Pipes, files
// and other terminals keep the Latin-1 bytes. Number formatting is not
// affected: the streams keep the classic locale. Messages on a terminal
// are wrapped (raices::ajusta_errores).
void adapta_terminal();

// For every other text (--help, --version, rootcompare, rootscan). Call
// once, first thing in main, or before the first byte of such a text when
// adapta_terminal was called before. Standard output and standard error,
// terminals, pipes and files alike, from then on follow the environment's
// character set: UTF-8, each Latin-1 byte as its two UTF-8 bytes; ASCII,
// each letter without its accent ('\xE1' as 'a', '\xF1' as 'n', '\xBF' as
// '?'), one byte for one so that columns stay aligned; Latin-1, unchanged.
// Bytes below 0x80 always pass unchanged. Messages on a terminal are wrapped
// (raices::ajusta_errores).
void adapta_salida_local();

#endif
