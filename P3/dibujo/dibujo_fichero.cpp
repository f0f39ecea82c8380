// The picture is drawn into a temporary file made with mkstemp in the target's
// folder, which also proves the folder writable before PLplot opens anything
// (PLplot asks on standard input for another name when it cannot open a file).
// Only a complete drawing is renamed over the target.
#include "P3/dibujo/dibujo_fichero.h"

#include <plplot.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sys/stat.h>
#include <unistd.h>

#include "P3/estados.h"

namespace raices {
namespace {

std::string temporal;   // the file being drawn
std::string aviso;      // the first error PLplot reported without ending the process
const char *quien = ""; // the program, for the message of a fatal error
// Where PLplot puts the text of an error instead of writing it to standard
// error (its limit is 1024 bytes).
PLINT codigo_plplot = 0;
char mensaje_plplot[1024];

// PLplot's fatal errors end the process after this handler: leave nothing behind.
int sale_plplot(const char *mensaje) {
  (void)std::remove(temporal.c_str()); // nothing more can be done if this fails
  std::cout.flush();
  std::cerr << quien << ": no se pudo dibujar: " << mensaje << std::endl;
  std::_Exit(DIBUJO_FALLIDO);
}

void avisa_plplot(const char *mensaje) {
  if (aviso.empty()) aviso = mensaje;
}

std::string causa(int numero) {
  switch (numero) {
  case ENOENT: return "la carpeta no existe";
  case ENOTDIR: return "la ruta no es una carpeta";
  case EACCES:
  case EPERM: return "permiso denegado";
  case EROFS: return "sistema de ficheros de solo lectura";
  case ENOSPC: return "no queda espacio";
  case EISDIR: return "es una carpeta";
  default: return std::strerror(numero);
  }
}

std::string carpeta(const std::string &ruta) {
  const std::size_t barra = ruta.rfind('/');
  if (barra == std::string::npos) return ".";
  return barra == 0 ? "/" : ruta.substr(0, barra);
}

void inicia_plplot(const char *formato, const Pagina &pagina) {
  plsexit(sale_plplot);
  plsabort(avisa_plplot);
  plsError(&codigo_plplot, mensaje_plplot);
  plsdev(formato);
  plsfnam(temporal.c_str());
  plsfam(0, 0, 0);
  plspage(0, 0, pagina.ancho, pagina.alto, 0, 0);
  plscolbg(255, 255, 255);
  pagina.colores();
  plinit();
  pladv(0);
}

// The new file gets the permissions any new file of the user would get.
void permisos(const std::string &fichero) {
  const mode_t mascara = umask(0);
  umask(mascara);
  chmod(fichero.c_str(), 0666 & ~mascara);
}

std::string termina(const std::string &ruta) {
  struct stat datos {};
  if (!aviso.empty()) return "PLplot: " + aviso;
  if (stat(temporal.c_str(), &datos) != 0 || datos.st_size == 0)
    return "el dibujo qued\xF3 vac\xEDo";
  permisos(temporal);
  if (std::rename(temporal.c_str(), ruta.c_str()) != 0) return causa(errno);
  return "";
}

bool termina_en(const std::string &ruta, const char *extension) {
  const std::size_t n = std::strlen(extension);
  return ruta.size() > n && ruta.compare(ruta.size() - n, n, extension) == 0;
}

} // namespace

const char *formato_dibujo(const std::string &ruta) {
  if (termina_en(ruta, ".svg")) return "svg";
  if (termina_en(ruta, ".png")) return "pngcairo";
  if (termina_en(ruta, ".pdf")) return "pdfcairo";
  return nullptr;
}

std::string en_una_linea(std::string nombre) {
  for (char &c : nombre)
    if (std::iscntrl(static_cast<unsigned char>(c)) != 0) c = '?';
  return nombre;
}

std::string utf8(const std::string &latin1) {
  std::string texto;
  for (const char c : latin1) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x80) {
      texto += c == '#' ? "##" : std::string(1, c);
    } else {
      texto += static_cast<char>(0xC0 | (byte >> 6));
      texto += static_cast<char>(0x80 | (byte & 0x3F));
    }
  }
  return texto;
}

std::string dibuja_fichero(const std::string &ruta, const char *programa, const Pagina &pagina) {
  const char *formato = formato_dibujo(ruta);
  if (formato == nullptr) return "formato desconocido";
  // Renaming over a device or a folder would replace it (as root, even
  // /dev/null): only a new file or a regular one is written.
  struct stat destino {};
  if (stat(ruta.c_str(), &destino) == 0 && !S_ISREG(destino.st_mode))
    return "no es un fichero corriente";
  std::string plantilla = carpeta(ruta) + "/." + programa + "-XXXXXX";
  const int fd = mkstemp(plantilla.data());
  if (fd < 0) return causa(errno);
  close(fd);
  temporal = plantilla;
  quien = programa;
  inicia_plplot(formato, pagina);
  pagina.dibujo();
  plend();
  std::string fallo = termina(ruta);
  if (!fallo.empty()) (void)std::remove(temporal.c_str());
  return fallo;
}

} // namespace raices
