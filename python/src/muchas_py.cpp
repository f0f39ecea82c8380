// Many solves of one typed f, one per element of its parameters' arrays
// (broadcast as NumPy broadcasts them), in C++ on every core with the GIL
// released. Each element is solved alone, by the same code, whatever thread
// takes it: the answers do not depend on the number of threads. Ctrl-C is
// seen within a fraction of a second: the calling thread takes the GIL back
// now and then to let Python run its signal handlers.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <vector>

#include <pybind11/numpy.h>

#include "P3/busqueda/resuelve.h"
#include "modulo.h"

using namespace pybind11::literals;

namespace raices_py {

namespace {

constexpr std::size_t BLOQUE = 1024;                    // elements a thread takes at a time
constexpr auto VISTAZO = std::chrono::milliseconds(50); // between looks for Ctrl-C

// The arrays of one call: the inputs broadcast to n elements each, and the
// answers.
struct Tarea {
  const Compilada &e;
  std::size_t m;
  double a, b;
  raices::Criterio c;
  std::vector<const double *> columnas; // one per parameter of e, in its order
  std::size_t n;
  double *raiz, *f_raiz;
  std::int32_t *estado, *pasos;
  std::int64_t *llamadas;
};

// Element i: its parameters' values, F and F' on them, and the search.
void resuelve_uno(const Tarea &t, std::size_t i, std::vector<double> &valores) {
  for (std::size_t k = 0; k < valores.size(); ++k) valores[k] = t.columnas[k][i];
  std::int64_t llamadas = 0;
  const double *v = valores.data();
  auto F = [&](double x) {
    ++llamadas;
    return t.e.f->evalua(x, v);
  };
  auto dF = [&](double x) {
    ++llamadas;
    return t.e.df ? t.e.df->evalua(x, v) : NAN;
  };
  const raices::Solucion s = raices::resuelve(t.m, F, dF, t.a, t.b, t.c);
  t.raiz[i] = s.raiz;
  t.f_raiz[i] = s.f_raiz;
  t.estado[i] = s.estado;
  t.pasos[i] = s.pasos;
  t.llamadas[i] = llamadas;
}

// Runs the elements on hilos threads until done or cancelled; the caller
// holds no GIL. Returns the first exception a thread met, if any.
class Reparto {
public:
  Reparto(const Tarea &t, unsigned hilos) : t_(t) {
    for (unsigned k = 0; k < hilos; ++k) hilos_.emplace_back([this] { trabaja(); });
  }
  Reparto(const Reparto &) = delete;
  Reparto &operator=(const Reparto &) = delete;
  ~Reparto() { termina(); }

  // Waits up to VISTAZO; true when every thread has finished.
  bool espera() {
    std::unique_lock<std::mutex> l(m_);
    return hecho_.wait_for(l, VISTAZO, [this] { return activos_ == hilos_.size(); });
  }
  void cancela() { cancelado_ = true; }
  std::exception_ptr termina() {
    for (std::thread &h : hilos_)
      if (h.joinable()) h.join();
    return error_;
  }

private:
  void trabaja() {
    try {
      std::vector<double> valores(t_.columnas.size());
      for (;;) {
        const std::size_t inicio = siguiente_.fetch_add(BLOQUE);
        if (inicio >= t_.n || cancelado_) break;
        const std::size_t fin = std::min(t_.n, inicio + BLOQUE);
        for (std::size_t i = inicio; i < fin; ++i) resuelve_uno(t_, i, valores);
      }
    } catch (...) {
      const std::lock_guard<std::mutex> l(m_);
      if (!error_) error_ = std::current_exception();
      cancelado_ = true;
    }
    const std::lock_guard<std::mutex> l(m_);
    ++activos_;
    hecho_.notify_all();
  }

  const Tarea &t_;
  std::vector<std::thread> hilos_;
  std::atomic<std::size_t> siguiente_{0};
  std::atomic<bool> cancelado_{false};
  std::mutex m_;
  std::condition_variable hecho_;
  std::size_t activos_ = 0; // threads finished, under m_
  std::exception_ptr error_;
};

unsigned numero_hilos(const py::object &hilos, std::size_t n) {
  unsigned h = std::max(1U, std::thread::hardware_concurrency());
  if (!hilos.is_none()) {
    if (!py::isinstance<py::int_>(hilos)) throw py::type_error("hilos debe ser un entero");
    const long pedido = hilos.cast<long>();
    if (pedido < 1) throw py::value_error("hilos debe ser al menos 1");
    h = static_cast<unsigned>(std::min<long>(pedido, 256));
  }
  const std::size_t bloques = (n + BLOQUE - 1) / BLOQUE;
  return static_cast<unsigned>(std::max<std::size_t>(1, std::min<std::size_t>(h, bloques)));
}

} // namespace

py::object resuelve_muchos(Compilada &e, std::size_t m, std::pair<double, double> ab,
                           const raices::Criterio &c, const py::dict &parametros,
                           const py::object &hilos) {
  const py::module_ np = py::module_::import("numpy");
  const std::vector<std::string> &nombres = e.f->parametros();
  py::list entradas;
  for (const std::string &n : nombres)
    entradas.append(np.attr("asarray")(parametros[py::str(n)], "dtype"_a = "float64"));
  const py::tuple difundidos = np.attr("broadcast_arrays")(*entradas);
  std::vector<py::array_t<double>> columnas;
  for (const py::handle a : difundidos)
    columnas.push_back(np.attr("ascontiguousarray")(a).cast<py::array_t<double>>());
  const py::object forma = difundidos[0].attr("shape");
  const std::size_t n = columnas.empty() ? 0 : static_cast<std::size_t>(columnas[0].size());

  py::array_t<double> raiz(n), f_raiz(n);
  py::array_t<std::int32_t> estado(n), pasos(n);
  py::array_t<std::int64_t> llamadas(n);
  raices::Criterio sin_prueba = c;
  sin_prueba.comprueba = nullptr; // balls take the bound values, not each element's
  Tarea t{e,
          m,
          ab.first,
          ab.second,
          sin_prueba,
          {},
          n,
          raiz.mutable_data(),
          f_raiz.mutable_data(),
          estado.mutable_data(),
          pasos.mutable_data(),
          llamadas.mutable_data()};
  for (const auto &col : columnas) t.columnas.push_back(col.data());

  const unsigned h = numero_hilos(hilos, n);
  std::exception_ptr error;
  // Bound values stay as they are while the threads read the expression.
  struct EnUso {
    std::atomic<int> &n;
    explicit EnUso(std::atomic<int> &u) : n(u) { ++n; }
    EnUso(const EnUso &) = delete;
    EnUso &operator=(const EnUso &) = delete;
    ~EnUso() { --n; }
  } en_uso(e.en_uso);
  {
    py::gil_scoped_release sin_gil;
    Reparto r(t, h);
    while (!r.espera()) {
      const py::gil_scoped_acquire con_gil;
      if (PyErr_CheckSignals() != 0) {
        r.cancela();
        r.termina();
        throw py::error_already_set();
      }
    }
    error = r.termina();
  }
  if (error) std::rethrow_exception(error);

  py::dict d;
  const auto da_forma = [&forma](const py::array &a) { return a.attr("reshape")(forma); };
  d["raiz"] = da_forma(raiz);
  d["f_raiz"] = da_forma(f_raiz);
  d["estado"] = da_forma(estado);
  d["pasos"] = da_forma(pasos);
  d["llamadas"] = da_forma(llamadas);
  d["metodo"] = raices::DESCRIPTORES[m].clave;
  d["hilos"] = h;
  return py::module_::import("raices.muchas").attr("Soluciones")(**d);
}

} // namespace raices_py
