// Each method of the table runs through the library's uniform face, on
// lambdas that count the calls of f and f'. The loop is common to all; only
// the stopping test depends on the method's family:
//   bracketing: the final bracket is narrower than tol max(1, |x|);
//   open: the estimate moved less than tol max(1, |x|), or cannot move;
//   every method: f is exactly 0 at the estimate.
// A stop is a convergence only when the residual test holds as well; see
// juzga() below.
#include "P3/rootcompare/compara_metodos.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "P3/cierre.h"
#include "P3/metodos.h"
#include "P3/paradas.h"

namespace raices {
namespace {

// The residual test's share of the scale of f: a sign change whose |f|,
// closed to neighbouring doubles, stays above 1e-4 of |f| at the starting
// ends is taken for a jump; a zero, even of the steepest root x^(1/3), ends
// far below it. A loose TOL loosens it for the open methods' estimates,
// which stop short of the last doubles; never past fzero's floor (1).
constexpr double RESIDUO = 1e-4;

// Half-width of the zero test around an open method's answer, in
// max(1, |x|): ten stopping tolerances, where an estimate that stopped on
// its change still lies; never below a few ulps.
constexpr double ENTORNO_TOL = 10, ENTORNO_MINIMO = 8 * DBL_EPSILON;

double entorno(double tol, double x) {
  return std::fmax(ENTORNO_TOL * tol, ENTORNO_MINIMO) * std::fmax(1.0, std::fabs(x));
}

bool acotado(std::size_t m) { return DESCRIPTORES[m].familia == Familia::acotado; }

// Where a search is once its loop has ended.
struct Final {
  int estado = RAICES_CONTINUA; // the last step's library status
  bool parada = false;          // the stopping test held (or an exact zero)
};

// f and f' of the problem, counting their calls into the result.
struct Contadas {
  const Problema &p;
  Resultado &r;
  double operator()(double x) const {
    ++r.evals_f;
    return p.f(x);
  }
};
struct ContadasD {
  const Problema &p;
  Resultado &r;
  double operator()(double x) const {
    ++r.evals_df;
    return p.df(x);
  }
};

// The stopping test of the method's family, at its new estimate x.
bool para(const Problema &p, std::size_t m, const Busqueda &s, double x, double previo) {
  const double tol = tolerancia_relativa(p.tol, x);
  if (acotado(m)) return ancho_menor(x, otro(m, s), tol);
  return cambio_menor(x, previo, tol);
}

Final recorre(const Problema &p, std::size_t m, Busqueda &s, Resultado &r) {
  Contadas F{p, r};
  ContadasD dF{p, r};
  Final fin;
  double previo = r.inicio.x;
  for (int k = 1; k <= p.maxiter; ++k) {
    fin.estado = avanza(m, F, dF, s);
    if (fin.estado != RAICES_CONTINUA && fin.estado != RAICES_EXITO) return fin;
    const double x = estimacion(m, s);
    const Iterado it{k, x, p.f(x), std::fabs(x - previo)};
    r.iterados.push_back(it);
    // fx == 0 is exact on purpose: the estimate is a root of the computed f.
    fin.parada = fin.estado == RAICES_EXITO || it.fx == 0 || para(p, m, s, x, previo);
    previo = x;
    if (fin.parada) return fin;
  }
  return fin;
}

// The answer of a bracketing method: the end of its final bracket with the
// smaller |f|; and where the residual test looks: that bracket closed to
// neighbouring doubles while its ends have opposite signs of f.
void responde_acotado(const Problema &p, std::size_t m, const Busqueda &s, Resultado &r) {
  const double x1 = estimacion(m, s), x2 = otro(m, s);
  const double f1 = p.f(x1), f2 = p.f(x2);
  const bool segundo = std::fabs(f2) < std::fabs(f1);
  r.raiz = segundo ? x2 : x1;
  r.f_raiz = segundo ? f2 : f1;
  r.x_cierre = r.raiz;
  r.f_cierre = r.f_raiz;
  if (r.f_raiz != 0 && ((f1 < 0 && f2 > 0) || (f1 > 0 && f2 < 0))) {
    const Punto c = cierra(p.f, std::fmin(x1, x2), std::fmax(x1, x2));
    r.x_cierre = c.x;
    r.f_cierre = c.fx;
  }
}

// The open method's answer is its last estimate, where the residual test
// looks. When it fails and the last two estimates straddle a sign change,
// that change closed to neighbouring doubles tells a pole or jump (|f| stays
// large) from a root the method stalled beside.
void responde_abierto(Resultado &r) {
  r.raiz = r.iterados.empty() ? r.inicio.x : r.iterados.back().x;
  r.f_raiz = r.iterados.empty() ? r.inicio.fx : r.iterados.back().fx;
  r.x_cierre = r.raiz;
  r.f_cierre = r.f_raiz;
}

void cierra_abierto(const Problema &p, Resultado &r) {
  const Iterado &antes = r.iterados.size() >= 2 ? r.iterados[r.iterados.size() - 2] : r.inicio;
  const double fa = antes.fx, fb = r.f_raiz;
  if ((fa < 0 && fb > 0) || (fa > 0 && fb < 0)) {
    const Punto c = cierra(p.f, std::fmin(antes.x, r.raiz), std::fmax(antes.x, r.raiz));
    r.x_cierre = c.x;
    r.f_cierre = c.fx;
  }
}

// The verdict. Converges: the stopping test held (a stalled step counts as
// the finest change, 0), the residual test holds where it looks and at the
// answer, and an open method's answer has a zero around it (cero_local). A bracket that stopped
// without a zero closed on a pole or jump (21); an open estimate that stopped moving away from a
// zero stalled (23), unless it stopped on a sign change that is no zero (21).
void juzga(const Problema &p, const Final &fin, double fa, double fb, Resultado &r) {
  const bool estancada = fin.estado == RAICES_ESTANCADA;
  if (!fin.parada && !estancada) {
    r.desenlace = fin.estado == RAICES_CONTINUA ? Desenlace::no_converge : Desenlace::falla;
    r.estado = fin.estado == RAICES_CONTINUA ? MAX_ITERACIONES : fin.estado;
    return;
  }
  if (!std::isfinite(r.raiz)) { // f may vanish at infinity: no root there
    r.desenlace = Desenlace::falla;
    r.estado = RAICES_NO_FINITO;
    return;
  }
  const double fraccion = fraccion_residuo(p.tol);
  const bool cero_abierto =
      acotado(r.metodo) || r.f_raiz == 0 || cero_local(p.f, r.raiz, entorno(p.tol, r.raiz));
  if (residuo_relativo(r.f_cierre, fa, fb, fraccion) && residuo_relativo(r.f_raiz, fa, fb, 1.0) &&
      cero_abierto) {
    r.desenlace = Desenlace::converge;
    r.estado = SALIDA_BIEN;
    r.fuera = !(r.raiz >= p.a && r.raiz <= p.b);
    return;
  }
  if (!acotado(r.metodo)) cierra_abierto(p, r);
  const bool salto = acotado(r.metodo) ||
                     (r.x_cierre != r.raiz && !residuo_relativo(r.f_cierre, fa, fb, fraccion));
  r.desenlace = salto ? Desenlace::singularidad : Desenlace::estancado;
  r.estado = salto ? SINGULARIDAD : RAICES_ESTANCADA;
}

Resultado corre(const Problema &p, std::size_t m, double fa, double fb) {
  Resultado r;
  r.metodo = m;
  Contadas F{p, r};
  ContadasD dF{p, r};
  Busqueda s;
  const int arranque = inicia(m, F, dF, p.a, p.b, s);
  const double x0 = estimacion(m, s);
  r.inicio = {0, x0, p.f(x0), 0};
  if (arranque != RAICES_EXITO) {
    r.desenlace = Desenlace::no_arranca;
    r.estado = arranque;
    r.raiz = r.f_raiz = r.x_cierre = r.f_cierre = std::nan("");
    return r;
  }
  const Final fin = recorre(p, m, s, r);
  if (acotado(m)) {
    responde_acotado(p, m, s, r);
  } else {
    responde_abierto(r);
  }
  juzga(p, fin, fa, fb, r);
  return r;
}

} // namespace

double fraccion_residuo(double tol) { return std::fmin(1.0, std::fmax(RESIDUO, tol)); }

std::vector<Resultado> compara(const Problema &p) {
  const double fa = p.f(p.a), fb = p.f(p.b); // the scale of f, outside the counts
  std::vector<Resultado> resultados;
  for (std::size_t m = 0; m < NUM_METODOS; ++m) resultados.push_back(corre(p, m, fa, fb));
  return resultados;
}

const char *nombre(const Resultado &r) { return DESCRIPTORES[r.metodo].nombre; }
const char *clave(const Resultado &r) { return DESCRIPTORES[r.metodo].clave; }

} // namespace raices
