// A picture file drawn with PLplot, shared by the programs that draw: the
// device comes from the file's extension, and the file is written whole or
// not at all.
#ifndef P3_DIBUJO_FICHERO_H
#define P3_DIBUJO_FICHERO_H

#include <functional>
#include <string>

namespace raices {

// The PLplot device for the picture's file name, from its extension: "svg",
// "pngcairo" or "pdfcairo"; nullptr for any other.
const char *formato_dibujo(const std::string &ruta);

// A file name as it can stand in a one-line message: control characters as '?'.
std::string en_una_linea(std::string nombre);

// Latin-1 text as PLplot takes it: UTF-8, with its escape character '#' doubled.
std::string utf8(const std::string &latin1);

// The page: its size in pixels (points in PDF), the colours to set before
// PLplot starts, and the drawing itself, done on the first page.
struct Pagina {
  int ancho, alto;
  std::function<void()> colores, dibujo;
};

// Draws the page into a temporary file beside ruta (.programa-XXXXXX) and
// renames it to ruta, so ruta is written whole or not at all, with the
// permissions the umask gives a new file; a ruta that exists and is not a
// regular file is refused, as renaming would replace it. Returns an empty
// string, or why the picture was not written (Latin-1). Should PLplot end
// the process on an error of its own, the temporary file is removed first,
// "programa: no se pudo dibujar: ..." goes to standard error and the status
// is raices::DIBUJO_FALLIDO.
std::string dibuja_fichero(const std::string &ruta, const char *programa, const Pagina &pagina);

} // namespace raices

#endif
