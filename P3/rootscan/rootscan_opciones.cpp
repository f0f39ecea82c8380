// Command line of rootscan: its help text over the shared option parser.
#include "P3/rootscan/rootscan_opciones.h"

#include "P3/dibujo/dibujo_fichero.h"

namespace {

const char *const TEXTO_AYUDA =
    "Uso: rootscan [-f EXPR [-d EXPR]] [-a A] [-b B] [-t TOL] [-g FICHERO] [--csv]\n"
    "              [--demuestra]\n"
    "Busca todas las ra\xED"
    "ces de f en [A, B]: muestrea f de forma adaptativa, refina\n"
    "cada cambio de signo con el m\xE9todo de Brent y sondea cada m\xEDnimo de |f|\n"
    "cercano a 0. Escribe cada ra\xEDz (x con 17 cifras, |f(x)| y su tipo: simple,\n"
    "m\xFAltiple impar o m\xFAltiple par o tangente), los puntos singulares (polos,\n"
    "saltos, puntos donde f no est\xE1 definida), los m\xEDnimos de |f| que se acercan\n"
    "a 0 sin anularse, y una l\xEDnea con el n\xFAmero de ra\xED"
    "ces, las evaluaciones de\n"
    "f y la resoluci\xF3n: dos ra\xED"
    "ces m\xE1s separadas que ella se distinguen siempre.\n"
    "Cada b\xFAsqueda eval\xFA"
    "a f 1000000 veces como m\xE1ximo.\n"
    "Sin -f, f(x) = exp(-x) - 2x^2 y f'(x) = -exp(-x) - 4x.\n"
    "  -f, --funcion=EXPR     busca las ra\xED"
    "ces de f(x) = EXPR\n"
    "  -d, --derivada=EXPR    f'(x) = EXPR; sin -d, f' se obtiene derivando -f\n"
    "  -p, --parametro=N=V    el nombre N vale V en EXPR (un n\xFAmero, exacto en las\n"
    "                         bolas); una -p por par\xE1metro\n"
    "  -a, --extremo-a=A      extremo izquierdo (por omisi\xF3n 0)\n"
    "  -b, --extremo-b=B      extremo derecho (por omisi\xF3n 1)\n"
    "  -t, --tolerancia=TOL   cada ra\xEDz se refina hasta un intervalo m\xE1s estrecho\n"
    "                         que TOL*max(1, |x|) (por omisi\xF3n 1e-12)\n"
    "  -g FICHERO             dibuja f con sus ra\xED"
    "ces y puntos singulares; formato\n"
    "                         por la extensi\xF3n: .svg, .png o .pdf\n"
    "      --csv              una fila por punto hallado, en ASCII\n"
    "      --demuestra        demuestra con aritm\xE9tica de bolas cada ra\xEDz (un\n"
    "                         intervalo que la contiene y su prueba: \xFAnica, impar\n"
    "                         o exacta) y que no hay otras en [A, B]; lista lo que\n"
    "                         no pudo demostrar, con el motivo\n"
    "      --help             muestra esta ayuda y termina\n"
    "      --version          muestra la versi\xF3n y termina\n"
    "EXPR: como en rootbench, por ejemplo: rootscan -f 'sin(5*x)' -a 0 -b 5\n"
    "Un polinomio (grado 1000 como m\xE1ximo) se resuelve con aritm\xE9tica exacta: cada\n"
    "ra\xEDz con su multiplicidad y, si es racional, como fracci\xF3n; nada queda sin\n"
    "demostrar. Por ejemplo: rootscan -f 'x^2 - 0.2*x + 0.01' --demuestra\n"
    "Estado de salida: 0 b\xFAsqueda completa, haya ra\xED"
    "ces o no; 4 argumento no\n"
    "v\xE1lido (opci\xF3n, n\xFAmero, expresi\xF3n, A > B, TOL < 0, extensi\xF3n del dibujo);\n"
    "5 no se pudo escribir el dibujo; 11 se agot\xF3 el presupuesto de evaluaciones\n"
    "(se escribe lo hallado hasta entonces); 14 con --demuestra, quedan partes\n"
    "sin demostrar (se escribe lo demostrado).\n";

} // namespace

OpcionesProblema lee_opciones_barrido(int argc, char *argv[]) {
  const ProgramaProblema programa{"rootscan", TEXTO_AYUDA, false, true, raices::formato_dibujo};
  return lee_opciones_problema(programa, argc, argv);
}
