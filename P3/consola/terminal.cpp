// Latin-1 to UTF-8 on terminals. A Latin-1 byte c stands for the code point
// of the same number; for c >= 0x80 its UTF-8 form is the two bytes 0xC0 | c >> 6 and
// 0x80 | (c & 0x3F). Bytes below 0x80 are ASCII in both and pass unchanged.
#include "P3/consola/terminal.h"

#include <clocale>
#include <iostream>
#include <langinfo.h>
#include <streambuf>
#include <string>
#include <strings.h>
#include <unistd.h>

namespace {

// Unbuffered filter in front of the stream's own buffer: every byte is
// converted and handed on at once, and a flush (endl, unitbuf, exit) is
// forwarded, so the stream flushes exactly when it did before.
class Latin1AUtf8 : public std::streambuf {
public:
  explicit Latin1AUtf8(std::streambuf *destino) : destino_(destino) {}

protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return escribe(&byte, 1) == 1 ? c : traits_type::eof();
  }

  std::streamsize xsputn(const char *s, std::streamsize n) override { return escribe(s, n); }

  int sync() override { return destino_->pubsync(); }

private:
  // Hands on runs of ASCII as they are and each other byte as its pair.
  // Returns how many of the n input bytes were written whole.
  std::streamsize escribe(const char *s, std::streamsize n) {
    std::streamsize hecho = 0;
    while (hecho < n) {
      std::streamsize ascii = 0;
      while (hecho + ascii < n && static_cast<unsigned char>(s[hecho + ascii]) < 0x80) ++ascii;
      if (ascii > 0) {
        const std::streamsize escrito = destino_->sputn(s + hecho, ascii);
        hecho += escrito;
        if (escrito < ascii) return hecho;
        continue;
      }
      const auto c = static_cast<unsigned char>(s[hecho]);
      const char par[2] = {static_cast<char>(0xC0U | (c >> 6U)),
                           static_cast<char>(0x80U | (c & 0x3FU))};
      if (destino_->sputn(par, 2) != 2) return hecho;
      ++hecho;
    }
    return hecho;
  }

  std::streambuf *destino_;
};

// The converting buffers are made once and never destroyed: std::cout and
// std::cerr are still flushed after every destructor of the program has run
// (exit(), error()). Kept here so that they stay reachable to leak checkers.
Latin1AUtf8 *conversor_salida = nullptr;
Latin1AUtf8 *conversor_error = nullptr;

// The character set of the environment's locale is UTF-8. Only LC_CTYPE of
// the C library is changed to ask, and it is put back at once: nothing else
// in the program sees the environment's locale.
bool entorno_utf8() {
  const char *actual = std::setlocale(LC_CTYPE, nullptr);
  const std::string anterior = actual != nullptr ? actual : "C";
  bool utf8 = false;
  if (std::setlocale(LC_CTYPE, "") != nullptr) {
    const char *codigo = nl_langinfo(CODESET);
    utf8 =
        codigo != nullptr && (strcasecmp(codigo, "UTF-8") == 0 || strcasecmp(codigo, "UTF8") == 0);
  }
  static_cast<void>(std::setlocale(LC_CTYPE, anterior.c_str()));
  return utf8;
}

void adapta(std::ostream &flujo, int fd, Latin1AUtf8 *&conversor) {
  if (conversor != nullptr || isatty(fd) == 0) return;
  conversor = new Latin1AUtf8(flujo.rdbuf());
  flujo.rdbuf(conversor);
}

} // namespace

void adapta_terminal() {
  if (isatty(STDOUT_FILENO) == 0 && isatty(STDERR_FILENO) == 0) return;
  if (!entorno_utf8()) return;
  adapta(std::cout, STDOUT_FILENO, conversor_salida);
  adapta(std::cerr, STDERR_FILENO, conversor_error);
}
