// Long messages on a terminal, wrapped at blanks. A terminal breaks a line
// that is wider than itself wherever its last column falls, often inside a
// word; breaking at the last blank that fits keeps every word whole. Pipes
// and files keep each message on its one line, for the programs that read
// them.
#include <cstdlib>
#include <iostream>
#include <streambuf>
#include <string>
#include <sys/ioctl.h>
#include <unistd.h>

#include "P3/consola/terminal.h"

namespace {

// Columns a text takes: in UTF-8 every byte but the continuation bytes
// starts a character, in Latin-1 and ASCII every byte is one.
std::size_t columnas(const std::string &texto, std::size_t desde, std::size_t hasta, bool utf8) {
  std::size_t n = 0;
  for (std::size_t i = desde; i < hasta; ++i)
    if (!utf8 || (static_cast<unsigned char>(texto[i]) & 0xC0U) != 0x80U) ++n;
  return n;
}

// Columns of the terminal on standard error, read at every line so that a
// resized window is followed; 0 when it does not say, and then lines are
// left as they are.
std::size_t ancho_errores() {
  winsize w{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &w) == 0) return w.ws_col;
  return 0;
}

// Filter in front of standard error's buffer: holds each line until its
// '\n' and hands it on wrapped. Flushes go through at once; a line is never
// held across them except its unfinished part, which every message of the
// programs finishes with its '\n' (and exit hands on, see below).
class Ajusta : public std::streambuf {
public:
  Ajusta(std::streambuf *destino, bool utf8) : destino_(destino), utf8_(utf8) {}

  // Hands on an unfinished line as it is.
  void vacia() {
    (void)destino_->sputn(linea_.data(), static_cast<std::streamsize>(linea_.size()));
    linea_.clear();
    (void)destino_->pubsync();
  }

protected:
  int_type overflow(int_type c) override {
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    const char byte = traits_type::to_char_type(c);
    (void)xsputn(&byte, 1);
    return c;
  }

  std::streamsize xsputn(const char *s, std::streamsize n) override {
    for (std::streamsize i = 0; i < n; ++i) {
      if (s[i] != '\n') {
        linea_ += s[i];
        continue;
      }
      const std::size_t ancho = ancho_errores();
      const std::string ajustada =
          (ancho == 0 ? linea_
                      : raices::ajusta_linea(linea_, ancho,
                                             utf8_ ? raices::JuegoCaracteres::utf8
                                                   : raices::JuegoCaracteres::latin1)) +
          "\n";
      (void)destino_->sputn(ajustada.data(), static_cast<std::streamsize>(ajustada.size()));
      linea_.clear();
    }
    return n;
  }

  int sync() override { return destino_->pubsync(); }

private:
  std::streambuf *destino_;
  bool utf8_;
  std::string linea_; // the line being written, up to its '\n'
};

// Made once and never destroyed, as the buffers of terminal.cpp are.
Ajusta *ajuste = nullptr;

void vacia_al_salir() { ajuste->vacia(); }

} // namespace

std::string raices::ajusta_linea(const std::string &linea, std::size_t ancho,
                                 JuegoCaracteres juego) {
  const bool utf8 = juego == JuegoCaracteres::utf8;
  std::string ajustada;
  std::size_t inicio = 0;
  // Invariant: linea[0, inicio) is in ajustada, each part of it within ancho
  // columns unless it is one word wider than ancho.
  while (columnas(linea, inicio, linea.size(), utf8) > ancho) {
    // The last blank that leaves a part within ancho, after some text (the
    // indentation of a line is not a place to break); else the first blank
    // after a word too wide for any line.
    std::size_t corte = std::string::npos;
    const std::size_t texto = linea.find_first_not_of(' ', inicio);
    for (std::size_t b = linea.find(' ', texto); b != std::string::npos;
         b = linea.find(' ', b + 1)) {
      if (corte != std::string::npos && columnas(linea, inicio, b, utf8) > ancho) break;
      corte = b;
    }
    if (corte == std::string::npos) break;
    ajustada.append(linea, inicio, corte - inicio).append("\n");
    inicio = linea.find_first_not_of(' ', corte);
    if (inicio == std::string::npos) return ajustada;
  }
  return ajustada + linea.substr(inicio);
}

void raices::ajusta_errores(JuegoCaracteres juego) {
  if (ajuste != nullptr || isatty(STDERR_FILENO) == 0) return;
  std::cerr.flush();
  ajuste = new Ajusta(std::cerr.rdbuf(), juego == JuegoCaracteres::utf8);
  std::cerr.rdbuf(ajuste);
  (void)std::atexit(vacia_al_salir);
}
