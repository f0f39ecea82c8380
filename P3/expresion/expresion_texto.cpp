// Checks on a text before the parser sees it. They bound what the parser and
// the derivation are given (length, nesting), keep out everything the parser
// would accept beyond the grammar (assignments, comparisons, commas, its own
// names), and name the first fault from the left with its position and, for
// the slips students make most (x**2, 0,5, 2(x+1), sin x, x², sinn, x2) and
// the notations of other tools (|x|, f = g, log(x, b): pistas.cpp), how to
// write it instead.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>
#include <vector>

#include "P3/expresion/caracteres.h"
#include "P3/expresion/expresion_interna.h"

namespace {

// ASCII only, whatever the locale.
bool digito(char c) { return c >= '0' && c <= '9'; }
bool letra(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool blanco(char c) { return c == ' ' || c == '\t'; }

std::string posicion(std::size_t i) { return " en la posici\xF3n " + std::to_string(i + 1); }

// Everything before a fault is ASCII (the first other byte is itself a
// fault), so the byte index i is also the character's place.
[[noreturn]] void falla(const std::string &problema, std::size_t i) {
  throw ErrorTexto{problema, i + 1};
}

// A token quoted in a message: a long number is cut.
std::string cita(const std::string &token) {
  return "'" + (token.size() > 20 ? token.substr(0, 17) + "..." : token) + "'";
}

// Characters that look like an operator of the grammar, and what to type.
struct Sustituto {
  char32_t codigo;
  const char *ascii;
};
constexpr Sustituto sustitutos[] = {{0xB2, "^2"},  {0xB3, "^3"}, {0x2212, "-"},
                                    {0x2013, "-"}, {0xD7, "*"},  {0xB7, "*"},
                                    {0x22C5, "*"}, {0xF7, "/"},  {0x3C0, "pi"}};

// The character in a message: itself when Latin-1 can show it, its code
// point beyond Latin-1, its byte when it is a control character.
std::string nombra(const Caracter &c) {
  char escrito[24];
  if (c.codigo <= 0xFF && !de_control(c.codigo))
    (void)std::snprintf(escrito, sizeof escrito, "'%c'", static_cast<char>(c.codigo));
  else if (c.largo == 1)
    (void)std::snprintf(escrito, sizeof escrito, "(byte 0x%02X)", static_cast<unsigned>(c.codigo));
  else
    (void)std::snprintf(escrito, sizeof escrito, "U+%04X", static_cast<unsigned>(c.codigo));
  return escrito;
}

[[noreturn]] void caracter_ajeno(const std::string &t, std::size_t i) {
  const Caracter c = lee_caracter(t, i);
  for (const Sustituto &s : sustitutos)
    if (c.codigo == s.codigo)
      falla("car\xE1"
            "cter " +
                nombra(c) + posicion(i) + ": escriba " + s.ascii,
            i);
  falla("car\xE1"
        "cter no admitido " +
            nombra(c) + posicion(i),
        i);
}

// Length of the number that starts at i: digits and a decimal point, then an
// exponent only when digits follow it ("2e" is 2 and the constant e).
std::size_t largo_numero(const std::string &t, std::size_t i) {
  std::size_t j = i;
  while (j < t.size() && (digito(t[j]) || t[j] == '.')) ++j;
  if (j < t.size() && (t[j] == 'e' || t[j] == 'E')) {
    std::size_t k = j + 1;
    if (k < t.size() && (t[k] == '+' || t[k] == '-')) ++k;
    if (k < t.size() && digito(t[k])) {
      while (k < t.size() && digito(t[k])) ++k;
      j = k;
    }
  }
  return j - i;
}

void revisa_numero(const std::string &numero, std::size_t i) {
  errno = 0;
  const double valor = std::strtod(numero.c_str(), nullptr);
  if (errno == ERANGE && std::abs(valor) > 1)
    falla("n\xFAmero fuera del rango de double " + cita(numero) + posicion(i), i);
}

// Digits, a comma, digits: a decimal written with a comma.
void revisa_coma(const std::string &t, std::size_t i, const std::string &numero) {
  const std::size_t coma = i + numero.size();
  if (numero.find_first_not_of("0123456789") != std::string::npos || coma + 1 >= t.size() ||
      t[coma] != ',' || !digito(t[coma + 1]))
    return;
  std::size_t fin = coma + 1;
  while (fin < t.size() && digito(t[fin])) ++fin;
  falla("coma" + posicion(coma) + ": los decimales se escriben con punto, como en " + numero + "." +
            t.substr(coma + 1, fin - coma - 1),
        coma);
}

// "ra" before an accented "iz", in Latin-1 or in UTF-8: the Spanish name of
// the square root, which the scan of ASCII names cuts short.
bool raiz_con_acento(const std::string &t, const std::string &nombre, std::size_t j) {
  return (nombre == "ra" || nombre == "Ra") &&
         (t.compare(j, 2, "\xEDz") == 0 || t.compare(j, 3, "\xC3\xADz") == 0);
}

void revisa_nombre(const std::string &t, const std::string &nombre, std::size_t i) {
  std::size_t j = i + nombre.size();
  if (raiz_con_acento(t, nombre, j))
    falla("funci\xF3n desconocida 'ra\xEDz'" + posicion(i) +
              "; \xBF"
              "quiso decir sqrt?",
          i);
  while (j < t.size() && blanco(t[j])) ++j;
  const bool con_parentesis = j < t.size() && t[j] == '(';
  if (es_funcion(nombre)) {
    if (!con_parentesis)
      falla("a la funci\xF3n '" + nombre + "'" + posicion(i) +
                " le faltan los par\xE9ntesis: escriba " + nombre + "(x)",
            i);
    return;
  }
  if (nombre == "x" || nombre == "pi" || nombre == "e") return;
  // x2: a power or a product written without its operator.
  if (nombre.size() > 1 && nombre[0] == 'x' &&
      nombre.find_first_not_of("0123456789", 1) == std::string::npos) {
    const std::string n = nombre.substr(1);
    falla((con_parentesis ? "funci\xF3n desconocida " : "nombre desconocido ") + cita(nombre) +
              posicion(i) + "; \xBF" + "quiso decir x^" + n + " o " + n + "*x?",
          i);
  }
  const std::string quiso = sugerencia(nombre);
  const std::string problema =
      (con_parentesis ? "funci\xF3n desconocida " : "nombre desconocido ") + cita(nombre) +
      posicion(i);
  if (!quiso.empty())
    falla(problema +
              "; \xBF"
              "quiso decir " +
              quiso + "?",
          i);
  falla(problema + (con_parentesis ? "" : " (la \xFAnica variable es x)"), i);
}

// Left to right over the text's tokens: after an operand (a number, x, pi,
// e or a closing parenthesis) another operand needs an operator between.
class Revision {
public:
  Revision(const std::string &texto, int anidamiento_maximo,
           const std::vector<std::string> &nombres_parametros)
      : t(texto), maximo(anidamiento_maximo), parametros(nombres_parametros) {}

  // The numbers of the text as typed, in the order they appear.
  std::vector<std::string> recorre() {
    for (std::size_t i = 0; i < t.size();) i = token(i);
    if (!abiertos.empty())
      falla("falta cerrar el par\xE9ntesis abierto" + posicion(abiertos.back().parentesis),
            abiertos.back().parentesis);
    return std::move(numeros);
  }

private:
  const std::string &t;
  int maximo;
  const std::vector<std::string> &parametros;
  std::vector<Llamada> abiertos; // each open parenthesis, and the function it calls
  bool tras_operando = false;
  std::string anterior;  // the last token, when it ends an operand
  std::string pendiente; // a function name waiting for its parenthesis
  std::vector<std::string> numeros;

  void operando(const std::string &token, std::size_t i) {
    if (tras_operando)
      falla("falta el operador * entre " + cita(anterior) + " y " + cita(token) + posicion(i), i);
  }

  // The end of the token that starts at i.
  std::size_t token(std::size_t i) {
    const char c = t[i];
    if (blanco(c)) return i + 1;
    const std::string funcion = std::move(pendiente);
    pendiente.clear();
    if (digito(c) || c == '.') {
      const std::string numero = t.substr(i, largo_numero(t, i));
      operando(numero, i);
      revisa_coma(t, i, numero);
      revisa_numero(numero, i);
      numeros.push_back(numero);
      tras_operando = true, anterior = numero;
      return i + numero.size();
    }
    if (letra(c)) {
      std::size_t j = i + 1;
      while (j < t.size() && (letra(t[j]) || digito(t[j]))) ++j;
      const std::string nombre = t.substr(i, j - i);
      operando(nombre, i);
      if (std::find(parametros.begin(), parametros.end(), nombre) == parametros.end())
        revisa_nombre(t, nombre, i);
      tras_operando = !es_funcion(nombre), anterior = nombre;
      if (es_funcion(nombre)) pendiente = nombre;
      return j;
    }
    if (c == '(') {
      operando("(", i);
      abiertos.push_back({i, funcion});
      if (abiertos.size() > static_cast<std::size_t>(maximo))
        falla("demasiados par\xE9ntesis anidados" + posicion(i) + " (el m\xE1ximo es " +
                  std::to_string(maximo) + ")",
              i);
      tras_operando = false;
      return i + 1;
    }
    if (c == ')') {
      if (abiertos.empty()) falla("par\xE9ntesis ')' sin abrir" + posicion(i), i);
      abiertos.pop_back();
      tras_operando = true, anterior = ")";
      return i + 1;
    }
    if (c == '*' && i + 1 < t.size() && t[i + 1] == '*')
      falla("operador '**'" + posicion(i) + ": la potencia se escribe con ^, como en x^2", i);
    if (c != '\0' && std::strchr("+-*/^", c) != nullptr) {
      tras_operando = false;
      return i + 1;
    }
    const std::string pista = pista_notacion(t, i, abiertos.empty() ? Llamada{} : abiertos.back());
    if (!pista.empty()) falla(pista, i);
    caracter_ajeno(t, i);
  }
};

} // namespace

std::vector<std::string> revisa_texto(const std::string &texto, std::size_t longitud_maxima,
                                      int anidamiento_maximo,
                                      const std::vector<std::string> &parametros) {
  if (texto.size() > longitud_maxima)
    throw ErrorTexto{"demasiado larga (" + std::to_string(texto.size()) +
                     " caracteres; el m\xE1ximo es " + std::to_string(longitud_maxima) + ")"};
  if (texto.find_first_not_of(" \t") == std::string::npos)
    throw ErrorTexto{"est\xE1 vac\xED"
                     "a"};
  return Revision(texto, anidamiento_maximo, parametros).recorre();
}

void revisa_parametros(const std::vector<std::string> &parametros) {
  for (std::size_t i = 0; i < parametros.size(); ++i) {
    const std::string &p = parametros[i];
    const bool forma = !p.empty() && letra(p[0]) && std::all_of(p.begin(), p.end(), [](char c) {
      return letra(c) || digito(c);
    });
    const char *motivo =
        !forma                              ? "escriba una letra seguida de letras o cifras"
        : p == "x" || p == "pi" || p == "e" ? "es la variable o una constante"
        : es_funcion(p)                     ? "es una funci\xF3n"
        : std::find(parametros.begin(), parametros.begin() + static_cast<std::ptrdiff_t>(i), p) !=
                parametros.begin() + static_cast<std::ptrdiff_t>(i)
            ? "est\xE1 repetido"
            : nullptr;
    if (motivo != nullptr)
      throw ErrorTexto{"nombre de par\xE1metro no v\xE1lido " + cita(p) + ": " + motivo};
  }
}

double valor_decimal(const std::string &texto) {
  const std::size_t signo = !texto.empty() && (texto[0] == '-' || texto[0] == '+') ? 1 : 0;
  if (texto.size() == signo || !(digito(texto[signo]) || texto[signo] == '.') ||
      largo_numero(texto, signo) != texto.size() - signo ||
      texto.find_first_of("0123456789") == std::string::npos ||
      std::count(texto.begin(), texto.end(), '.') > 1)
    return std::numeric_limits<double>::quiet_NaN();
  errno = 0;
  const double valor = std::strtod(texto.c_str(), nullptr);
  if (!std::isfinite(valor) || (errno == ERANGE && std::fabs(valor) > 1))
    return std::numeric_limits<double>::quiet_NaN();
  return valor;
}
