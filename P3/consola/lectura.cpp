// Look-ahead on standard input: a buffer that reads from std::cin's own one
// character at a time, only when asked, so that nothing is read sooner
// than the extractions would have read it, except the rest of a word.
#include "P3/consola/lectura.h"

#include <cctype>
#include <iostream>
#include <streambuf>

namespace {

class Anticipo : public std::streambuf {
public:
  explicit Anticipo(std::streambuf *origen) : origen_(origen) {}

  std::string palabra(std::size_t maximo) {
    descarta_leidos();
    std::size_t n = 0;
    while (n < maximo && (n < pendiente_.size() || lee_uno()) &&
           std::isspace(static_cast<unsigned char>(pendiente_[n])) == 0)
      ++n;
    expone();
    return pendiente_.substr(0, n);
  }

  std::size_t leidos() const { return descartados_ + static_cast<std::size_t>(gptr() - eback()); }

protected:
  int_type underflow() override {
    if (gptr() == egptr()) {
      descarta_leidos();
      if (!lee_uno()) return traits_type::eof();
      expone();
    }
    return traits_type::to_int_type(*gptr());
  }

private:
  // Drops the characters already taken from the front of the buffer.
  void descarta_leidos() {
    const auto n = static_cast<std::size_t>(gptr() - eback());
    descartados_ += n;
    pendiente_.erase(0, n);
    expone();
  }

  // One more character from the source; once it has reported the end, it is
  // not asked again (a terminal would wait for another line).
  bool lee_uno() {
    if (fin_) return false;
    const int_type c = origen_->sbumpc();
    fin_ = traits_type::eq_int_type(c, traits_type::eof());
    if (!fin_) pendiente_ += traits_type::to_char_type(c);
    return !fin_;
  }

  void expone() {
    char *inicio = pendiente_.data();
    setg(inicio, inicio, inicio + pendiente_.size());
  }

  std::streambuf *origen_;
  std::string pendiente_;
  std::size_t descartados_ = 0;
  bool fin_ = false;
};

// Made once and never destroyed, like std::cin itself.
Anticipo *anticipo = nullptr;

Anticipo &instala() {
  if (anticipo == nullptr) {
    anticipo = new Anticipo(std::cin.rdbuf());
    const std::ios::iostate estado = std::cin.rdstate(); // rdbuf() clears it
    std::cin.rdbuf(anticipo);
    std::cin.setstate(estado);
  }
  return *anticipo;
}

} // namespace

std::string raices::palabra_siguiente(std::size_t maximo) { return instala().palabra(maximo); }

std::size_t raices::caracteres_leidos() { return instala().leidos(); }
