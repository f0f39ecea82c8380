// Expressions in x read by muParser and evaluated in IEEE double. The parser
// is reduced to the grammar: no predefined functions, constants or
// operators beyond + - * / ^, and unary minus and plus as the only prefix
// operators.
// Its optimiser is off, so every operation written is performed as written,
// in the written order (x*2 is not turned into x*2+0, which would lose the
// sign of -0), and its compiled form is the program the derivation reads.
#include "P3/expresion/expresion.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <new>
#include <utility>

#include <muParser.h>

#include "P3/expresion/expresion_interna.h"

namespace {

double opuesto(double v) { return -v; }
double identidad(double v) { return v; }
double seno(double v) { return std::sin(v); }
double coseno(double v) { return std::cos(v); }
double tangente(double v) { return std::tan(v); }
double arcoseno(double v) { return std::asin(v); }
double arcocoseno(double v) { return std::acos(v); }
double arcotangente(double v) { return std::atan(v); }
double seno_h(double v) { return std::sinh(v); }
double coseno_h(double v) { return std::cosh(v); }
double tangente_h(double v) { return std::tanh(v); }
double exponencial(double v) { return std::exp(v); }
double logaritmo(double v) { return std::log(v); }
double logaritmo10(double v) { return std::log10(v); }
double raiz(double v) { return std::sqrt(v); }
double absoluto(double v) { return std::fabs(v); }

// In the order of Funcion and nombres_funciones.
using Real = double (*)(double);
constexpr Real funciones[] = {seno,         coseno,      tangente, arcoseno,   arcocoseno,
                              arcotangente, seno_h,      coseno_h, tangente_h, exponencial,
                              logaritmo,    logaritmo10, raiz,     absoluto};
constexpr std::size_t numero_funciones = std::size(funciones);
static_assert(numero_funciones == std::size(nombres_funciones));

mu::erased_fun_type borrado(Real f) { return reinterpret_cast<mu::erased_fun_type>(f); }

} // namespace

// The parser's own functions, so that the program run on doubles calls
// exactly what the parser calls.
double aplica(Funcion f, double v) { return funciones[static_cast<std::size_t>(f)](v); }

namespace {

std::string posicion(int p, std::size_t largo) {
  if (p < 0 || static_cast<std::size_t>(p) >= largo) return " al final";
  return " en la posici\xF3n " + std::to_string(p + 1);
}

// The parser's complaint in the terms of the grammar.
std::string problema(const mu::ParserError &error, std::size_t largo) {
  const std::string simbolo = "'" + error.GetToken() + "'";
  const std::string donde = posicion(error.GetPos(), largo);
  switch (error.GetCode()) {
  case mu::ecUNEXPECTED_OPERATOR: return "operador inesperado " + simbolo + donde;
  case mu::ecUNASSIGNABLE_TOKEN: return "s\xEDmbolo no reconocido " + simbolo + donde;
  case mu::ecUNEXPECTED_EOF: return "falta un operando" + donde;
  case mu::ecUNEXPECTED_VAL:
    return "n\xFAmero inesperado " + simbolo + donde +
           " (\xBF"
           "falta un operador?)";
  case mu::ecUNEXPECTED_VAR:
    return "variable o constante inesperada " + simbolo + donde +
           " (\xBF"
           "falta un operador?)";
  case mu::ecUNEXPECTED_FUN:
    return "funci\xF3n inesperada " + simbolo + donde +
           " (\xBF"
           "falta un operador?)";
  case mu::ecUNEXPECTED_PARENS: return "par\xE9ntesis inesperado" + donde;
  case mu::ecMISSING_PARENS: return "falta cerrar un par\xE9ntesis";
  case mu::ecTOO_MANY_PARAMS:
  case mu::ecTOO_FEW_PARAMS: return "la funci\xF3n " + simbolo + " lleva un argumento" + donde;
  default: return "expresi\xF3n no v\xE1lida" + donde;
  }
}

// The parser's complaint in the terms of the grammar, with its place: the
// end of the text is the place after its last character.
ErrorTexto queja(const mu::ParserError &error, std::size_t largo) {
  const int p = error.GetPos();
  const bool dentro = p >= 0 && static_cast<std::size_t>(p) < largo;
  const bool sin_lugar = error.GetCode() == mu::ecMISSING_PARENS;
  return {problema(error, largo), sin_lugar ? 0
                                  : dentro  ? static_cast<std::size_t>(p) + 1
                                            : largo + 1};
}

} // namespace

// An expression once compiled: its text, its parameters and their values,
// and the program that every evaluation runs. The parser is only needed to
// compile; evaluation reads the program and never writes, so one compiled
// expression can be evaluated from several threads at once.
struct Expresion::Datos {
  std::string texto;
  std::vector<std::string> parametros;
  std::vector<double> valores;        // NaN while unbound
  std::vector<std::string> decimales; // a value's decimal text, when it was given as one
  Programa programa;
  Codigo codigo; // the program in the form that runs on doubles

  void compila(const std::vector<std::string> &literales);
};

namespace {

// The parser reduced to the grammar, with x, pi, e and the parameters as its
// variables, at the places given.
struct Gramatica {
  double x = 0;
  double pi = 3.14159265358979323846;
  double e = 2.71828182845904523536;
  std::vector<double> parametros;
  mu::Parser parser;

  explicit Gramatica(const std::vector<std::string> &nombres);
  Paso paso(const mu::SToken &t) const;
};

Gramatica::Gramatica(const std::vector<std::string> &nombres) : parametros(nombres.size(), 0.0) {
  parser.EnableOptimizer(false);
  parser.ClearFun();
  parser.ClearConst();
  parser.ClearOprt();
  parser.ClearInfixOprt();
  parser.ClearPostfixOprt();
  parser.DefineInfixOprt("-", opuesto);
  parser.DefineInfixOprt("+", identidad);
  // Constants are variables to the parser, so that the derivation can tell
  // pi and e from the numbers they are.
  parser.DefineVar("x", &x);
  parser.DefineVar("pi", &pi);
  parser.DefineVar("e", &e);
  for (std::size_t i = 0; i < nombres.size(); ++i) parser.DefineVar(nombres[i], &parametros[i]);
  for (std::size_t i = 0; i < numero_funciones; ++i)
    parser.DefineFun(nombres_funciones[i], funciones[i], false);
  for (const Alias &a : alias_funciones)
    parser.DefineFun(a.nombre, funciones[static_cast<std::size_t>(a.funcion)], false);
}

Paso Gramatica::paso(const mu::SToken &t) const {
  switch (t.Cmd) {
  case mu::cmVAR:
    if (t.Val.ptr == &x) return {Paso::variable, 0, {}};
    if (t.Val.ptr == &pi || t.Val.ptr == &e) return {t.Val.ptr == &pi ? Paso::pi : Paso::e, 0, {}};
    for (std::size_t i = 0; i < parametros.size(); ++i)
      if (t.Val.ptr == &parametros[i]) return {Paso::parametro, 0, {}, {}, i};
    break;
  case mu::cmVAL: return {Paso::numero, t.Val.data2, {}};
  case mu::cmADD: return {Paso::suma, 0, {}};
  case mu::cmSUB: return {Paso::resta, 0, {}};
  case mu::cmMUL: return {Paso::producto, 0, {}};
  case mu::cmDIV: return {Paso::cociente, 0, {}};
  case mu::cmPOW: return {Paso::potencia, 0, {}};
  case mu::cmFUNC:
    if (t.Fun.cb._pRawFun == borrado(opuesto)) return {Paso::opuesto, 0, {}};
    for (std::size_t i = 0; i < numero_funciones; ++i)
      if (t.Fun.cb._pRawFun == borrado(funciones[i]))
        return {Paso::funcion, 0, static_cast<Funcion>(i)};
    break;
  default: break;
  }
  throw ErrorTexto{"operaci\xF3n fuera de la gram\xE1tica"};
}

// Precision at which a decimal that is a double is certainly read exactly
// (a double has at most 53 significant bits), so that a difference from the
// double is never rounded away.
constexpr long precision_lectura = 128;

// Gives each number of the program its text as typed, in the order of the
// text, unless the double the parser read is that number exactly. A number
// whose text does not read to its double keeps the double alone.
void anota_literales(Programa &programa, const std::vector<std::string> &literales) {
  std::size_t i = 0;
  for (Paso &paso : programa) {
    if (paso.tipo != Paso::numero) continue;
    if (i == literales.size()) return;
    const std::string &texto = literales[i++];
    if (std::strtod(texto.c_str(), nullptr) != paso.numero_) continue;
    const raices::Bola exacto = raices::Bola::decimal(texto, precision_lectura);
    if (!(exacto - raices::Bola(paso.numero_, precision_lectura)).es_cero()) paso.literal = texto;
  }
}

} // namespace

// Parses (the parser compiles on the first evaluation) and keeps the
// compiled program, its numbers as typed.
void Expresion::Datos::compila(const std::vector<std::string> &literales) {
  Gramatica g(parametros);
  try {
    g.parser.SetExpr(texto);
    g.parser.Eval();
  } catch (const mu::ParserError &error) {
    throw queja(error, texto.size());
  }
  const mu::ParserByteCode &bytecode = g.parser.GetByteCode();
  const mu::SToken *t = bytecode.GetBase();
  for (std::size_t i = 0; i < bytecode.GetSize() && t[i].Cmd != mu::cmEND; ++i) {
    const bool mas_unario = t[i].Cmd == mu::cmFUNC && t[i].Fun.cb._pRawFun == borrado(identidad);
    if (!mas_unario) programa.push_back(g.paso(t[i]));
  }
  anota_literales(programa, literales);
  codigo = codigo_doble(programa);
}

const Programa &LectorPrograma::de(const Expresion &f) { return f.datos->programa; }

namespace {

std::string contexto(const char *sujeto) {
  std::string c = "error en la expresi\xF3n";
  if (sujeto != nullptr) c += std::string(" de ") + sujeto;
  return c + ": ";
}

} // namespace

Expresion::Expresion(const std::string &texto) : Expresion(texto, nullptr) {}

Expresion::Expresion(const std::string &texto, const char *sujeto, Limites limites,
                     const std::vector<std::string> &parametros)
    : datos(std::make_unique<Datos>()) {
  try {
    revisa_parametros(parametros);
    const std::vector<std::string> literales =
        revisa_texto(texto, limites.longitud, limites.anidamiento, parametros);
    datos->texto = texto;
    datos->parametros = parametros;
    datos->valores.assign(parametros.size(), std::numeric_limits<double>::quiet_NaN());
    datos->decimales.assign(parametros.size(), "");
    datos->compila(literales);
  } catch (const ErrorTexto &error) {
    const std::string nombre = sujeto != nullptr ? std::string(sujeto) + "(x) = " : "";
    throw ErrorExpresion{contexto(sujeto) + error.problema, texto, nombre, error.posicion};
  } catch (const std::bad_alloc &) {
    throw ErrorExpresion{contexto(sujeto) + "no hay memoria para leerla"};
  } catch (const std::exception &) {
    throw ErrorExpresion{contexto(sujeto) + "no se puede leer"};
  } catch (const mu::ParserError &) {
    throw ErrorExpresion{contexto(sujeto) + "no se puede leer"};
  }
}

Expresion::Expresion(Expresion &&otra) noexcept = default;
Expresion &Expresion::operator=(Expresion &&otra) noexcept = default;
Expresion::~Expresion() = default;

const std::vector<std::string> &Expresion::parametros() const { return datos->parametros; }

namespace {

std::size_t indice_parametro(const std::vector<std::string> &parametros,
                             const std::string &nombre) {
  for (std::size_t i = 0; i < parametros.size(); ++i)
    if (parametros[i] == nombre) return i;
  throw ErrorExpresion{"par\xE1metro desconocido '" + nombre + "'"};
}

} // namespace

void Expresion::fija(const std::string &nombre, double valor) {
  const std::size_t i = indice_parametro(datos->parametros, nombre);
  datos->valores[i] = valor;
  datos->decimales[i].clear();
}

void Expresion::fija(const std::string &nombre, const std::string &texto) {
  const std::size_t i = indice_parametro(datos->parametros, nombre);
  const double valor = valor_decimal(texto);
  if (std::isnan(valor))
    throw ErrorExpresion{"valor no v\xE1lido para el par\xE1metro " + nombre + ": '" + texto +
                         "' (escriba un n\xFAmero, como 0.5 o 1e-3)"};
  datos->valores[i] = valor;
  datos->decimales[i] = texto;
}

void Funciones::fija(const std::string &nombre, const std::string &texto) {
  f.fija(nombre, texto);
  df.fija(nombre, texto);
}

void Funciones::fija(const std::string &nombre, double valor) {
  f.fija(nombre, valor);
  df.fija(nombre, valor);
}

double Expresion::operator()(double x) const noexcept {
  return ::evalua(datos->codigo, x, datos->valores.data());
}

double Expresion::evalua(double x, const double *valores) const noexcept {
  return ::evalua(datos->codigo, x, valores);
}

raices::Bola Expresion::operator()(const raices::Bola &x) const noexcept {
  try {
    return ::evalua(datos->programa, x, {datos->valores.data(), datos->decimales.data()});
  } catch (...) {
    return raices::Bola::indefinida(x.precision());
  }
}

raices::Chorro Expresion::operator()(const raices::Chorro &x) const noexcept {
  try {
    return ::evalua(datos->programa, x, {datos->valores.data(), datos->decimales.data()});
  } catch (...) {
    const long p = x.precision();
    return {raices::Bola::indefinida(p), raices::Bola::indefinida(p)};
  }
}

raices::Taylor Expresion::operator()(const raices::Taylor &x) const noexcept {
  try {
    return ::evalua(datos->programa, x, {datos->valores.data(), datos->decimales.data()});
  } catch (...) {
    return raices::Taylor::indefinida(x.orden(), x.precision());
  }
}

const std::string &Expresion::texto() const { return datos->texto; }

bool Expresion::nula() const { return ::nula(datos->programa, datos->parametros); }

namespace {

// Texts written by the derivation: bounded when written; deep nesting is
// harmless, as the parser reads them without recursion.
constexpr Expresion::Limites calculada{longitud_derivada, static_cast<int>(longitud_derivada)};

// Points where the derivation's reading of f is checked against the
// evaluator's; irrational-looking, so that no special value is hit.
constexpr double puntos_prueba[] = {0.7390851332151607, -1.3247179572447460, 2.2360679774997898,
                                    -0.5772156649015329, 1.6180339887498949};
// Far above rounding, far below any real difference of reading.
constexpr double tolerancia_prueba = 1e-6;

// The derivation simplifies f exactly (x*x is x^2, x/x is 1) while the
// evaluator rounds, so the two agree to a tolerance, not to the bit.
void comprueba_lectura(const Expresion &f, const Expresion &vista) {
  for (double x : puntos_prueba) {
    const double a = f(x), b = vista(x);
    if (!std::isfinite(a) || !std::isfinite(b)) continue;
    const double escala = std::fmax(1.0, std::fmax(std::fabs(a), std::fabs(b)));
    if (std::fabs(a - b) > tolerancia_prueba * escala) {
      char valores[128];
      (void)std::snprintf(valores, sizeof valores, " (en x = %.6g: %.17g frente a %.17g)", x, a, b);
      throw ErrorExpresion{"no se puede derivar f: su forma simb\xF3lica no da los mismos valores" +
                           std::string(valores) + "; escriba f' con -d"};
    }
  }
}

Derivacion derivacion(const Programa &f, const std::vector<std::string> &parametros) {
  try {
    return deriva(f, parametros);
  } catch (const ErrorTexto &error) {
    throw ErrorExpresion{"no se puede derivar f: " + error.problema + "; escriba f' con -d"};
  }
}

// The derivative as written against the exact one, from Taylor arithmetic on
// balls over the program of f, at the test points: a fault in the writing (a
// coefficient 3/2 written as 1/2) gets a warning, which a correct derivative
// never gets, however fast f changes; none is refused.
std::string comprueba_calculada(const Expresion &f, const Expresion &df) {
  const std::vector<double> puntos(std::begin(puntos_prueba), std::end(puntos_prueba));
  const std::optional<Discrepancia> mal = discrepancia_exacta(f, df, puntos);
  if (!mal) return "";
  char valores[96];
  (void)std::snprintf(valores, sizeof valores, "en x = %.6g, f' = %.6g, exacta: %.6g", mal->x,
                      mal->derivada, mal->diferencias);
  return "Aviso: la derivada calculada no concuerda con la exacta de f: " + std::string(valores);
}

// Values the parameters take while the derivation is checked: irrational-
// looking and distinct, like the test points. A value that is not set
// would leave every check without a finite value to compare.
void fija_de_prueba(Expresion &e) {
  for (std::size_t i = 0; i < e.parametros().size(); ++i)
    e.fija(e.parametros()[i], 0.5772156649015329 + 0.6180339887498949 * static_cast<double>(i));
}

// Unbinds every parameter again, once the checks are done.
void desliga(Expresion &e) {
  for (const std::string &p : e.parametros()) e.fija(p, std::numeric_limits<double>::quiet_NaN());
}

// f with the derivative written by the derivation, once its reading of f is
// checked (f's parameters bound to test values).
Funciones con_derivada(Expresion f, const Derivacion &d) {
  Expresion vista(d.funcion, "f tal como se deriva", calculada, f.parametros());
  fija_de_prueba(vista);
  comprueba_lectura(f, vista);
  Expresion df(d.derivada, "f' calculada", calculada, f.parametros());
  fija_de_prueba(df);
  std::string aviso = comprueba_calculada(f, df);
  return {std::move(f), std::move(df), true, std::move(aviso)};
}

// Far above the rounding of two ways of writing one derivative, far below
// any fault in the writing.
constexpr double tolerancia_legible = 1e-9;

// The derivative as shown to the user, when it reads back, through the same
// grammar, to the evaluated one within rounding at the test points; else the
// evaluated text itself.
std::string texto_legible(const Programa &f, const Expresion &df) {
  try {
    Expresion legible(deriva_legible(f, df.parametros()), "f' legible", calculada, df.parametros());
    fija_de_prueba(legible);
    for (double x : puntos_prueba) {
      const double a = df(x), b = legible(x);
      if (std::isnan(a) && std::isnan(b)) continue;
      if (!(std::fabs(a - b) <= tolerancia_legible * std::fmax(std::fabs(a), std::fabs(b))) &&
          a != b)
        return df.texto();
    }
    return legible.texto();
  } catch (const ErrorTexto &) {
    return df.texto();
  } catch (const ErrorExpresion &) {
    return df.texto();
  }
}

} // namespace

Funciones prepara_funciones(const std::string &texto_f, const char *texto_df,
                            const std::vector<std::string> &parametros) {
  try {
    Expresion f(texto_f, "f", Expresion::tecleada, parametros);
    if (texto_df == nullptr) {
      fija_de_prueba(f);
      const Derivacion d = derivacion(f.datos->programa, parametros);
      Funciones fs = con_derivada(std::move(f), d);
      fs.df.datos->texto = texto_legible(fs.f.datos->programa, fs.df);
      desliga(fs.f);
      desliga(fs.df);
      return fs;
    }
    Expresion df(texto_df, "f'", Expresion::tecleada, parametros);
    return {std::move(f), std::move(df), false};
  } catch (const ErrorExpresion &) {
    throw;
  } catch (const std::bad_alloc &) {
    throw ErrorExpresion{"error en la expresi\xF3n: no hay memoria para leerla o derivarla"};
  } catch (...) {
    throw ErrorExpresion{"error en la expresi\xF3n: no se puede leer o derivar"};
  }
}

// Read by LeakSanitizer, when a program is built with it: CLN, GiNaC's number
// library, keeps an allocation from its start-up to the end of the process.
// The list of suppressions used is not printed: it would add lines to the
// programs' standard error, which is part of their documented output.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): its name is fixed.
extern "C" const char *__lsan_default_suppressions() { return "leak:libcln.so\n"; }
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp): its name is fixed.
extern "C" const char *__lsan_default_options() { return "print_suppressions=0"; }
