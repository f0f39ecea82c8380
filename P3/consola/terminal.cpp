// Latin-1 texts in the reader's character set. A Latin-1 byte c stands for
// the code point of the same number; for c >= 0x80 its UTF-8 form is the two
// bytes 0xC0 | c >> 6 and 0x80 | (c & 0x3F), its ASCII form the letter
// without its accent. Bytes below 0x80 are ASCII in all three and pass
// unchanged.
#include "P3/consola/terminal.h"

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <langinfo.h>
#include <streambuf>
#include <string>
#include <strings.h>
#include <unistd.h>

using raices::JuegoCaracteres;

namespace {

// ASCII stand-ins for the Latin-1 bytes 0xA0 to 0xFF, one for each.
constexpr char SIN_ACENTO[] = " !cLoY|S\"ca\"--R-o?23'uP.,1o\"????"
                              "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTs"
                              "aaaaaaaceeeeiiiidnooooo/ouuuuyty";
static_assert(sizeof SIN_ACENTO == 0x60 + 1);

// Unbuffered filter in front of the stream's own buffer: every byte is
// converted and handed on at once, and a flush (endl, unitbuf, exit) is
// forwarded, so the stream flushes exactly when it did before.
class Recodifica : public std::streambuf {
public:
  explicit Recodifica(std::streambuf *destino) : destino_(destino) {}
  void juego(JuegoCaracteres j) { juego_ = j; }

protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    return escribe(&byte, 1) == 1 ? c : traits_type::eof();
  }

  std::streamsize xsputn(const char *s, std::streamsize n) override { return escribe(s, n); }

  int sync() override { return destino_->pubsync(); }

private:
  // Hands on runs of ASCII as they are and each other byte in its form.
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
      char forma[2] = {s[hecho], 0};
      std::streamsize largo = 1;
      if (juego_ == JuegoCaracteres::utf8) {
        forma[0] = static_cast<char>(0xC0U | (c >> 6U));
        forma[1] = static_cast<char>(0x80U | (c & 0x3FU));
        largo = 2;
      } else if (juego_ == JuegoCaracteres::ascii) {
        forma[0] = c >= 0xA0 ? SIN_ACENTO[c - 0xA0] : '?';
      }
      if (destino_->sputn(forma, largo) != largo) return hecho;
      ++hecho;
    }
    return hecho;
  }

  std::streambuf *destino_;
  JuegoCaracteres juego_ = JuegoCaracteres::latin1;
};

// The converting buffers are made once and never destroyed: std::cout and
// std::cerr are still flushed after every destructor of the program has run
// (exit(), error()). Kept here so that they stay reachable to leak checkers.
Recodifica *conversor_salida = nullptr;
Recodifica *conversor_error = nullptr;

// The locale's name as the C library looks it up for LC_CTYPE.
const char *nombre_del_entorno() {
  for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
    const char *valor = std::getenv(variable); // NOLINT(concurrency-mt-unsafe): read at start
    if (valor != nullptr && *valor != '\0') return valor;
  }
  return "C";
}

// "lang_TERRITORY.CODESET@modifier": UTF-8 when the codeset says so.
JuegoCaracteres juego_por_nombre(const std::string &nombre) {
  const std::size_t punto = nombre.find('.');
  if (punto == std::string::npos) return JuegoCaracteres::latin1;
  const std::string codigo = nombre.substr(punto + 1, nombre.find('@', punto) - punto - 1);
  const bool utf8 =
      strcasecmp(codigo.c_str(), "UTF-8") == 0 || strcasecmp(codigo.c_str(), "UTF8") == 0;
  return utf8 ? JuegoCaracteres::utf8 : JuegoCaracteres::latin1;
}

void adapta(std::ostream &flujo, Recodifica *&conversor, JuegoCaracteres juego) {
  if (conversor == nullptr) {
    if (juego == JuegoCaracteres::latin1) return;
    conversor = new Recodifica(flujo.rdbuf());
    flujo.rdbuf(conversor);
  }
  flujo.flush();
  conversor->juego(juego);
}

} // namespace

// Only LC_CTYPE of the C library is changed to ask, and it is put back at
// once: nothing else in the program sees the environment's locale.
JuegoCaracteres raices::juego_del_entorno() {
  const char *actual = std::setlocale(LC_CTYPE, nullptr);
  const std::string anterior = actual != nullptr ? actual : "C";
  JuegoCaracteres juego = JuegoCaracteres::latin1;
  if (std::setlocale(LC_CTYPE, "") == nullptr) {
    juego = juego_por_nombre(nombre_del_entorno());
  } else {
    const char *codigo = nl_langinfo(CODESET);
    if (codigo != nullptr && (strcasecmp(codigo, "UTF-8") == 0 || strcasecmp(codigo, "UTF8") == 0))
      juego = JuegoCaracteres::utf8;
    else if (codigo != nullptr &&
             (std::strcmp(codigo, "ANSI_X3.4-1968") == 0 || strcasecmp(codigo, "ASCII") == 0))
      juego = JuegoCaracteres::ascii;
  }
  static_cast<void>(std::setlocale(LC_CTYPE, anterior.c_str()));
  return juego;
}

void adapta_terminal() {
  const bool salida = isatty(STDOUT_FILENO) != 0, errores = isatty(STDERR_FILENO) != 0;
  if (!salida && !errores) return;
  const bool utf8 = raices::juego_del_entorno() == JuegoCaracteres::utf8;
  // Wrapping goes nearest the terminal, under the conversion, so it counts
  // the characters the terminal shows.
  raices::ajusta_errores(utf8 ? JuegoCaracteres::utf8 : JuegoCaracteres::latin1);
  if (!utf8) return;
  if (salida) adapta(std::cout, conversor_salida, JuegoCaracteres::utf8);
  if (errores) adapta(std::cerr, conversor_error, JuegoCaracteres::utf8);
}

void adapta_salida_local() {
  const JuegoCaracteres juego = raices::juego_del_entorno();
  raices::ajusta_errores(juego);
  adapta(std::cout, conversor_salida, juego);
  adapta(std::cerr, conversor_error, juego);
}
