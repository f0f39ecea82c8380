// The picture is drawn into a temporary file made with mkstemp in the target's
// folder, which also proves the folder writable before PLplot opens anything
// (PLplot asks on standard input for another name when it cannot open a file).
// Only a complete drawing is renamed over the target. While PLplot draws,
// the temporary file cannot outgrow TAMANO_MAXIMO (writes beyond it fail),
// an interruption (SIGINT, SIGTERM) removes it before the process ends, and
// so does a drawing that takes longer than TIEMPO_MAXIMO, with a message.
#include "P3/dibujo/dibujo_fichero.h"

#include <plplot.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "P3/metodos/estados.h"

namespace raices {
namespace {

const rlim_t TAMANO_MAXIMO = 64L << 20; // bytes of a picture file, at most
const unsigned TIEMPO_MAXIMO = 30;      // seconds of drawing, at most

std::string temporal; // the file being drawn
// The same path and the timeout's message, for the signal handlers, which
// may only call async-signal-safe functions.
char temporal_c[4096];
char mensaje_tiempo[256];
rlim_t tamano_maximo = TAMANO_MAXIMO; // lower when the process was already held lower
std::string aviso;                    // the first error PLplot reported without ending the process
const char *quien = "";               // the program, for the message of a fatal error
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

extern "C" void interrumpido(int senal) {
  (void)unlink(temporal_c);
  (void)signal(senal, SIG_DFL);
  (void)raise(senal);
}

extern "C" void agotado(int /*senal*/) {
  (void)unlink(temporal_c);
  (void)!write(STDERR_FILENO, mensaje_tiempo, std::strlen(mensaje_tiempo));
  _exit(DIBUJO_FALLIDO);
}

// What the process does on the signals while a picture is drawn, and after.
struct Guardia {
  struct sigaction antes[4]{};
  rlimit limite{};
  static constexpr int senales[4] = {SIGINT, SIGTERM, SIGALRM, SIGXFSZ};

  explicit Guardia(const char *programa) {
    (void)std::snprintf(mensaje_tiempo, sizeof mensaje_tiempo,
                        "%s: no se pudo dibujar: el dibujo tarda m\xE1s de %u s\n", programa,
                        TIEMPO_MAXIMO);
    for (int i = 0; i < 4; ++i) {
      struct sigaction accion {};
      accion.sa_handler = senales[i] == SIGXFSZ   ? SIG_IGN
                          : senales[i] == SIGALRM ? agotado
                                                  : interrumpido;
      sigemptyset(&accion.sa_mask);
      sigaction(senales[i], &accion, &antes[i]);
    }
    getrlimit(RLIMIT_FSIZE, &limite);
    rlimit tope = limite;
    tope.rlim_cur = std::min({limite.rlim_cur, limite.rlim_max, TAMANO_MAXIMO});
    tamano_maximo = tope.rlim_cur;
    setrlimit(RLIMIT_FSIZE, &tope);
    alarm(TIEMPO_MAXIMO);
  }
  ~Guardia() {
    alarm(0);
    setrlimit(RLIMIT_FSIZE, &limite);
    for (int i = 0; i < 4; ++i) sigaction(senales[i], &antes[i], nullptr);
  }
  Guardia(const Guardia &) = delete;
  Guardia &operator=(const Guardia &) = delete;
};

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
  if (static_cast<rlim_t>(datos.st_size) >= tamano_maximo)
    return "el dibujo excede " + std::to_string(tamano_maximo >> 10) + " KB";
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
  (void)std::snprintf(temporal_c, sizeof temporal_c, "%s", temporal.c_str());
  quien = programa;
  std::string fallo;
  {
    const Guardia guardia(programa);
    inicia_plplot(formato, pagina);
    pagina.dibujo();
    plend();
    fallo = termina(ruta);
  }
  if (!fallo.empty()) (void)std::remove(temporal.c_str());
  return fallo;
}

} // namespace raices
