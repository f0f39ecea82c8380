// hostile_input: feeds one of the suite's programs several hundred
// generated standard inputs and checks how every run ends.
//
//   hostile_input PROGRAM PATH [--seed N] [--timeout SECONDS]
//                 [--max-failures N] [--only CASE] [--dump CASE] [--list]
//
// PROGRAM names the dialogue to expect (rootbench, arcroot, arcprobe,
// steffexp or steffcubic) and PATH is the executable to run. The inputs
// come from std::mt19937_64 with a fixed seed; every value is derived from
// the engine's raw output by integer arithmetic, so the cases are the same
// on every run and with every compiler (rootbench inputs that could iterate
// for long are dropped after reading them with the standard library's
// number parsing, the one thing that a different library could change).
// Each input is a separate process, started with fork/exec and fed through
// pipes, and every run must:
//   - end within the time limit (otherwise it is killed: a hang);
//   - end by exit, not by a signal, with a status documented for the
//     program;
//   - leave on standard error nothing but the documented messages (so a
//     sanitizer report also fails the run; the sanitizer options set below
//     make such a report end the process with status 86 as well);
//   - write the program's first dialogue line to standard output.
// Where plain numbers fix the outcome (for example a > b for rootbench),
// the status itself is checked too. Failures are reported with the input
// escaped, the status and both streams; up to --max-failures of them are
// collected before the run stops. --only runs a single case, --dump writes
// a case's raw input to standard output and --list prints every case.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cfloat>
#include <chrono>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

extern char **environ; // NOLINT(readability-redundant-declaration): POSIX leaves it to us

namespace {

// ---------------------------------------------------------------------------
// Programs and their documented endings

enum class Program { rootbench, arcroot, arcprobe, steffexp, steffcubic };

struct ProgramInfo {
  const char *name;
  Program program;
  int fields;             // numbers read from standard input
  const char *first_line; // first line of standard output
};

const ProgramInfo PROGRAMS[] = {
    {"rootbench", Program::rootbench, 5, "Introduzca extremos del intervalo [a,b]\n"},
    {"arcroot", Program::arcroot, 2, "Elije el intervalo en el cual comprobaremos la existencia\n"},
    {"arcprobe", Program::arcprobe, 2,
     "Elije el intervalo en el cual comprobaremos la existencia\n"},
    {"steffexp", Program::steffexp, 1,
     "Introduzca el valor aproximado(con todas las cifras decimales conocidas)\n"},
    {"steffcubic", Program::steffcubic, 1,
     "Introduzca el valor aproximado(con todas las cifras decimales conocidas)\n"},
};

// Exit status of a sanitizer report, set through ASAN_OPTIONS/UBSAN_OPTIONS.
const int SANITIZER_STATUS = 86;

// rootbench: the context line of a fatal report (first line on standard
// error) and the catalogue line of each fatal status (second line).
const char *const CTX_BISEC_INI = "error en bisecIni";
const char *const CTX_RFALSI_INI = "error en rfalsiIni";
const char *const CTX_NEWTON_INI = "error en newtonIni";
const char *const CTX_ITERACION = "error en la iteraci\xF3n";
const char *const CTX_EXCEDE = "excede n\xFAmero m\xE1ximo de iteraciones";
const char *const CTX_NEGATIVA = "La precisi\xF3n relativa requerida es negativa";

const char *catalogue_line(int status) {
  switch (status) {
  case 9: return "Hay un problema con la funci\xF3n del usuario";
  case 11: return "Se ha excedido el n\xFAmero m\xE1ximo de iteraciones";
  case 12: return "Intento de dividir por cero";
  case 13: return "Tolerancia inv\xE1lida";
  case 27: return "Ra\xEDz no acotada en intervalo";
  default: return nullptr;
  }
}

// The exercise programs' only message on standard error.
const char *const EXERCISE_ERROR = "Valor no valido: se esperaba un numero\n";

// rootbench's standard output when it stops at a > b.
const char *const ROOTBENCH_A_GT_B = "Introduzca extremos del intervalo [a,b]\na? b? ";

// Iteration limit above which a generated rootbench input is only used when
// its other values make the search end early (see rootbench_is_bounded).
const int ITERATION_CAP = 1000;

// ---------------------------------------------------------------------------
// Deterministic generator

class Rng {
public:
  explicit Rng(std::uint64_t seed) : engine_(seed) {}
  std::uint64_t next() { return engine_(); }
  // A value in [0, n), n > 0. The modulo bias is irrelevant here.
  std::uint64_t below(std::uint64_t n) { return next() % n; }
  // A value in [lo, hi].
  long long between(long long lo, long long hi) {
    return lo + static_cast<long long>(below(static_cast<std::uint64_t>(hi - lo) + 1));
  }
  // True with probability percent/100.
  bool chance(unsigned percent) { return below(100) < percent; }
  template <typename T, std::size_t N> const T &pick(const T (&items)[N]) {
    return items[below(N)];
  }

private:
  std::mt19937_64 engine_;
};

// Builds a decimal from an integer count of units of 10^-decimals, e.g.
// fixed(-1234, 3) = "-1.234". Exact and independent of any float formatting.
std::string fixed(long long units, int decimals) {
  std::string sign = units < 0 ? "-" : "";
  unsigned long long u = units < 0 ? 0ULL - static_cast<unsigned long long>(units)
                                   : static_cast<unsigned long long>(units);
  unsigned long long scale = 1;
  for (int i = 0; i < decimals; ++i) scale *= 10;
  std::string s = sign + std::to_string(u / scale);
  if (decimals > 0) {
    std::string frac = std::to_string(u % scale);
    s += "." + std::string(static_cast<std::size_t>(decimals) - frac.size(), '0') + frac;
  }
  return s;
}

// Values at the edges of the double and int ranges, and malformed numbers.
const char *const EDGE_TOKENS[] = {
    "1.7976931348623157e308",
    "-1.7976931348623157e308",
    "1.7976931348623159e308",
    "1e308",
    "-1e308",
    "1e309",
    "-1e309",
    "1e400",
    "-1e400",
    "2147483647",
    "-2147483648",
    "2147483648",
    "-2147483649",
    "99999999999",
    "-99999999999",
    "9223372036854775808",
    "18446744073709551616",
    "4.9e-324",
    "-4.9e-324",
    "1e-320",
    "2.2250738585072014e-308",
    "2e-324",
    "1e-400",
    "-0",
    "-0.0",
    "+0",
    "0",
    "0.0",
    "0e0",
    "1e99999",
    "-1e99999",
    "1e-99999",
    "1e2147483648",
    "1e-2147483649",
    "-",
    "+",
    "-e5",
    "+e",
    "e5",
    ".",
    "-.",
    "+.",
    ".e1",
    "1e",
    "1e+",
    "1e-",
    "--1",
    "+-1",
    "-+1",
    "++1",
    "0,5",
    "1,000",
    "-0,5",
    "3,14e2",
    "nan",
    "NaN",
    "-nan",
    "nan(0x1)",
    "inf",
    "-inf",
    "Inf",
    "infinity",
    "-Infinity",
    "0x1p3",
    "0X1P-2",
    "0x10",
    "-0x1.8p1",
    "0x",
    "1.2.3",
    "1e5e5",
    "5-3",
    "1..2",
    "1ee5",
    "1e5.5",
    "0.5e",
    "12abc",
    "3\xE9",
    "abc",
    "x",
    "e",
    "\xE9",
    "\xC3\xA9",
    "\xFF",
    "\x80",
    "\xD9\xA1",
};

// Characters that matter to number parsing, plus some that do not.
const char NUMBERISH[] = "0123456789+-.,eEpPxXnNaAiIfF_/";

// Separators between tokens; whitespace only.
const char *const SEPARATORS[] = {" ",    " ",      " ",  "\n", "\n",    "\t",
                                  "\r\n", "  \n  ", "\v", "\f", "\n\n\n"};

std::string junk_token(Rng &rng) {
  std::string t;
  const std::size_t n = static_cast<std::size_t>(rng.between(1, 12));
  for (std::size_t i = 0; i < n; ++i) {
    if (rng.chance(80))
      t += NUMBERISH[rng.below(sizeof NUMBERISH - 1)];
    else
      t += static_cast<char>(rng.below(256));
  }
  return t;
}

std::string random_bytes(Rng &rng, std::size_t max_len) {
  std::string s;
  const std::size_t n = static_cast<std::size_t>(rng.below(max_len + 1));
  const bool numberish = rng.chance(50);
  for (std::size_t i = 0; i < n; ++i) {
    if (numberish && rng.chance(85))
      s += rng.chance(20) ? ' ' : NUMBERISH[rng.below(sizeof NUMBERISH - 1)];
    else
      s += static_cast<char>(rng.below(256));
  }
  return s;
}

// A plain decimal in [lo, hi] (units of 10^-decimals), in one of several
// spellings.
std::string realistic(Rng &rng, long long lo_milli, long long hi_milli) {
  const long long v = rng.between(lo_milli, hi_milli);
  switch (rng.below(6)) {
  case 0: return fixed(v / 1000, 0);                                   // integer
  case 1: return fixed(v, 3);                                          // -1.234
  case 2: return fixed(v, 3) + "e0";                                   // exponent form
  case 3: return fixed(v * 1000 + rng.between(0, 999), 6);             // more digits
  case 4: return std::to_string(v) + "e-3";                            // -1234e-3
  default: return (v >= 0 && rng.chance(50) ? "+" : "") + fixed(v, 3); // explicit sign
  }
}

std::string any_token(Rng &rng);

// Numbers below -709.78, where exp(-x) overflows, and around the edge.
std::string overflowing_exp(Rng &rng) {
  static const char *const near[] = {"-709.78",
                                     "-709.79",
                                     "-709.782712893384",
                                     "-709.7827128933841",
                                     "-710",
                                     "-745.2",
                                     "-800",
                                     "-1e3",
                                     "-1e5",
                                     "-708",
                                     "-709"};
  if (rng.chance(40)) return rng.pick(near);
  return fixed(-rng.between(709783, 2000000), 3);
}

std::string with_junk(Rng &rng, const std::string &number) {
  static const char *const suffix[] = {"abc", "x", ",5", ".5.5", "e", "e+", "\xE9",
                                       "#",   "?", "/2", "*",    "%", "_1", "\x01"};
  std::string s = number;
  if (rng.chance(15))
    s += std::string(1, '\0') + "7";
  else
    s += rng.pick(suffix);
  return s;
}

std::string any_token(Rng &rng) {
  switch (rng.below(6)) {
  case 0: return rng.pick(EDGE_TOKENS);
  case 1: return junk_token(rng);
  case 2: return realistic(rng, -3000, 3000);
  case 3: return with_junk(rng, realistic(rng, -3000, 3000));
  case 4: return overflowing_exp(rng);
  default: return std::to_string(rng.between(-5, 1000));
  }
}

std::string join(Rng &rng, const std::vector<std::string> &tokens, bool end_newline) {
  std::string s;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    if (i > 0) s += rng.pick(SEPARATORS);
    s += tokens[i];
  }
  if (end_newline) s += "\n";
  return s;
}

// ---------------------------------------------------------------------------
// Field generators

std::string rb_bound(Rng &rng) {
  const auto r = rng.below(100);
  if (r < 60) return realistic(rng, -3000, 3000);
  if (r < 72) return overflowing_exp(rng);
  if (r < 86) return rng.pick(EDGE_TOKENS);
  if (r < 93) return with_junk(rng, realistic(rng, -3000, 3000));
  return junk_token(rng);
}

std::string rb_epsrel(Rng &rng) {
  const auto r = rng.below(100);
  if (r < 35) return "1e-" + std::to_string(rng.between(0, 17));
  if (r < 50) return fixed(rng.between(1, 100000), 6);
  if (r < 58) return rng.chance(50) ? "0" : "-0";
  if (r < 68) return "-" + fixed(rng.between(1, 5000), 4);
  if (r < 71) return "1e" + std::to_string(rng.between(1, 308));
  if (r < 85) return rng.pick(EDGE_TOKENS);
  if (r < 92) return with_junk(rng, "0.001");
  return junk_token(rng);
}

std::string rb_maxiter(Rng &rng) {
  static const char *const odd[] = {
      "0",          "-1",          "-5",   "-2147483648", "-2147483649", "-99999999999",
      "2147483648", "99999999999", "1e3",  "100.5",       "12abc",       "0x10",
      "+7",         "-0",          "1000", "1001",        "007"};
  const auto r = rng.below(100);
  if (r < 45) return std::to_string(rng.between(1, 60));
  if (r < 60) return std::to_string(rng.between(61, ITERATION_CAP));
  if (r < 80) return rng.pick(odd);
  if (r < 88) return rng.pick(EDGE_TOKENS);
  return junk_token(rng);
}

std::string rb_method(Rng &rng) {
  static const char *const odd[] = {"0",          "4",   "-1",         "2147483647", "-2147483648",
                                    "2147483648", "1.5", "3abc",       "2e0",        "+3",
                                    "-3",         "03",  "99999999999"};
  const auto r = rng.below(100);
  if (r < 75) return std::to_string(rng.between(1, 3));
  if (r < 90) return rng.pick(odd);
  if (r < 95) return rng.pick(EDGE_TOKENS);
  return junk_token(rng);
}

std::string arc_bound(Rng &rng) {
  static const char *const special[] = {"0",
                                        "-0",
                                        "1e-13",
                                        "-1e-13",
                                        "1e-12",
                                        "-1e-12",
                                        "-1.3917452002707347",
                                        "1.3917452002707347",
                                        "-1.3917452002707349",
                                        "1.3917452002707349",
                                        "-1.3917452002707353",
                                        "-1e10",
                                        "1e10",
                                        "-1e154",
                                        "1e200",
                                        "1.34e154",
                                        "-1.35e154"};
  const auto r = rng.below(100);
  if (r < 55) return realistic(rng, -3000, 3000);
  if (r < 67) return rng.pick(special);
  if (r < 72) return realistic(rng, -1000000000, 1000000000);
  if (r < 86) return rng.pick(EDGE_TOKENS);
  if (r < 93) return with_junk(rng, realistic(rng, -3000, 3000));
  return junk_token(rng);
}

std::string steff_start(Rng &rng) {
  static const char *const special[] = {"0",
                                        "-0",
                                        "5",
                                        "10",
                                        "-1",
                                        "0.5",
                                        "2",
                                        "3",
                                        "-710",
                                        "-709.78",
                                        "1e10",
                                        "-1e10",
                                        "1e103",
                                        "1e154",
                                        "-1e154",
                                        "1e308",
                                        "0.5398352769028199",
                                        "-0.6527036446661393",
                                        "0.53983527690282007",
                                        "-1.4879620654981776",
                                        "-2.8793852415718169"};
  const auto r = rng.below(100);
  if (r < 50) return realistic(rng, -10000, 10000);
  if (r < 65) return rng.pick(special);
  if (r < 70) return overflowing_exp(rng);
  if (r < 85) return rng.pick(EDGE_TOKENS);
  if (r < 93) return with_junk(rng, realistic(rng, -3000, 3000));
  return junk_token(rng);
}

std::string field(Rng &rng, Program p, int index) {
  switch (p) {
  case Program::rootbench:
    switch (index) {
    case 0:
    case 1: return rb_bound(rng);
    case 2: return rb_epsrel(rng);
    case 3: return rb_maxiter(rng);
    default: return rb_method(rng);
    }
  case Program::arcroot:
  case Program::arcprobe: return arc_bound(rng);
  default: return steff_start(rng);
  }
}

// A well-formed input of realistic values: the base of the truncations.
std::vector<std::string> plain_fields(Rng &rng, Program p) {
  std::vector<std::string> f;
  switch (p) {
  case Program::rootbench: {
    std::string a = realistic(rng, -3000, 0), b = realistic(rng, 0, 3000);
    f = {a, b, "1e-" + std::to_string(rng.between(1, 10)), std::to_string(rng.between(1, 60)),
         std::to_string(rng.between(1, 3))};
    break;
  }
  case Program::arcroot:
  case Program::arcprobe: f = {realistic(rng, -3000, 0), realistic(rng, 0, 3000)}; break;
  default: f = {realistic(rng, -3000, 3000)}; break;
  }
  return f;
}

// ---------------------------------------------------------------------------
// Reading the input as the programs do

std::vector<std::string> split_blanks(const std::string &s) {
  std::vector<std::string> tokens;
  std::string cur;
  for (char c : s) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') {
      if (!cur.empty()) tokens.push_back(cur);
      cur.clear();
    } else {
      cur += c;
    }
  }
  if (!cur.empty()) tokens.push_back(cur);
  return tokens;
}

bool all_digits(const std::string &s, std::size_t from, std::size_t to) {
  if (from >= to) return false;
  return std::all_of(s.begin() + static_cast<std::ptrdiff_t>(from),
                     s.begin() + static_cast<std::ptrdiff_t>(to),
                     [](char c) { return c >= '0' && c <= '9'; });
}

// A plain decimal number in the normal range of double, such as "-1.25" or
// "3e-5": every reader takes it whole and gets its value.
bool plain_double(const std::string &t, double &value) {
  if (t.empty() || t.size() > 40) return false;
  std::size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  const std::size_t e = t.find_first_of("eE");
  const std::size_t mant_end = e == std::string::npos ? t.size() : e;
  const std::size_t dot = t.find('.', i);
  if (dot != std::string::npos && dot < mant_end) {
    if (!all_digits(t, i, dot)) return false;
    if (dot + 1 < mant_end && !all_digits(t, dot + 1, mant_end)) return false;
  } else if (!all_digits(t, i, mant_end)) {
    return false;
  }
  if (e != std::string::npos) {
    std::size_t j = e + 1;
    if (j < t.size() && (t[j] == '+' || t[j] == '-')) ++j;
    if (!all_digits(t, j, t.size())) return false;
  }
  errno = 0;
  char *end = nullptr;
  value = std::strtod(t.c_str(), &end);
  return errno == 0 && end == t.c_str() + t.size() && std::isfinite(value) &&
         (value == 0 || std::fabs(value) >= DBL_MIN);
}

bool plain_int(const std::string &t, int &value) {
  if (t.empty() || t.size() > 11) return false;
  const std::size_t i = (t[0] == '+' || t[0] == '-') ? 1 : 0;
  if (!all_digits(t, i, t.size())) return false;
  const long long v = std::strtoll(t.c_str(), nullptr, 10);
  if (v < INT_MIN || v > INT_MAX) return false;
  value = static_cast<int>(v);
  return true;
}

struct RootbenchValues {
  double a = 0, b = 3, epsrel = 0.01;
  int maxiter = 100, metodo = 1;
};

// Reads the five values with formatted extraction. keep = true: a value
// that is not read whole keeps its initial value; keep = false: the plain
// extraction, which stores 0 or the range limit on failure.
RootbenchValues read_rootbench(const std::string &input, bool keep) {
  std::istringstream in(input);
  RootbenchValues v;
  auto read = [&](auto &x) {
    if (keep) {
      std::remove_reference_t<decltype(x)> y{};
      if (in >> y) x = y;
    } else {
      in >> x;
    }
  };
  read(v.a);
  read(v.b);
  read(v.epsrel);
  read(v.maxiter);
  read(v.metodo);
  return v;
}

// Whether rootbench stops after a modest number of iterations on these
// values: the limit is at most ITERATION_CAP, or the run stops before
// iterating, or the values make every method converge early (realistic
// interval, tolerance not tiny).
bool ends_early(const RootbenchValues &v) {
  if (v.maxiter <= ITERATION_CAP) return true;
  if (v.a > v.b || v.epsrel < 0 || v.metodo < 1 || v.metodo > 3) return true;
  const double scale = std::fmax(std::fabs(v.b - v.a), std::fabs(v.a + v.b) / 2);
  return std::fabs(v.a) <= 3 && std::fabs(v.b) <= 3 && scale * v.epsrel >= 1e-6;
}

// Whether it does so on this input whichever way a failed read is treated.
bool rootbench_is_bounded(const std::string &input) {
  return ends_early(read_rootbench(input, true)) && ends_early(read_rootbench(input, false));
}

// ---------------------------------------------------------------------------
// Cases

struct Case {
  std::string kind;
  std::string input;
};

// Inputs that once exposed a fault in a program, run before the generated
// ones so that the fault stays fixed.
std::vector<Case> regressions(Program program) {
  std::vector<Case> cases;
  switch (program) {
  default: break;
  }
  return cases;
}

std::vector<Case> make_cases(Program p, int fields, std::uint64_t seed) {
  Rng rng(seed);
  std::vector<Case> cases = regressions(p);
  std::set<std::string> seen;
  for (const Case &c : cases) seen.insert(c.input);
  // Adds a new input; false for a repeated one, and for a rootbench input
  // that could iterate too long.
  auto add = [&](const char *kind, std::string input) {
    if (p == Program::rootbench && !rootbench_is_bounded(input)) return false;
    if (!seen.insert(input).second) return false;
    cases.push_back({kind, std::move(input)});
    return true;
  };
  auto plain = [&]() { return plain_fields(rng, p); };
  const bool rb = p == Program::rootbench;

  // End of input at every prompt: each well-formed input cut after k tokens
  // for every k, with and without the separator that follows the token.
  for (int base = 0; base < (rb ? 6 : 8); ++base) {
    const std::vector<std::string> f = plain();
    for (int k = 0; k <= fields; ++k) {
      std::vector<std::string> head(f.begin(), f.begin() + k);
      add("truncated", join(rng, head, false));
      if (k > 0) add("truncated", join(rng, head, true));
    }
  }
  // ... and cut after every byte.
  for (int base = 0; base < 2; ++base) {
    const std::string whole = join(rng, plain(), true);
    for (std::size_t n = 1; n < whole.size(); ++n) add("cut", whole.substr(0, n));
  }

  if (rb) {
    // Points where the objective function or its derivative is exactly 0 in
    // double arithmetic: exact hits, zero-width brackets, a zero derivative.
    static const char *const zeros[] = {"0.53983527690282007", "-1.4879620654981776",
                                        "-2.6178666130668127", "-0.3574029561813889"};
    for (const char *z : zeros)
      for (int shape = 0; shape < 3; ++shape)
        for (const char *metodo : {"1", "2", "3"})
          for (const char *epsrel : {"1e-8", "0"}) {
            const std::string a = shape == 2 ? "-3" : z, b = shape == 1 ? "3" : z;
            std::string input = a;
            input.append(" ").append(b).append(" ").append(epsrel).append(" 50 ");
            add("exact", input.append(metodo).append("\n"));
          }
  }

  if (rb) {
    // Intervals between values at the edges of the double range, where
    // exp(-x), 2x^2, the products of the sign tests and the midpoint
    // overflow or underflow.
    static const char *const extremes[] = {"-1.7976931348623157e308",
                                           "-1e308",
                                           "-1e154",
                                           "-745.2",
                                           "-709.78",
                                           "-3",
                                           "-4.9e-324",
                                           "-0",
                                           "0",
                                           "4.9e-324",
                                           "1e-320",
                                           "0.53983527690282007",
                                           "3",
                                           "1e154",
                                           "1e308",
                                           "1.7976931348623157e308"};
    static const char *const epsrels[] = {"0", "1e-8", "1", "1e300"};
    static const char *const limits[] = {"1000", "50", "0", "-1"};
    const std::size_t count = sizeof extremes / sizeof extremes[0];
    for (int made = 0; made < 90;) {
      std::size_t i = rng.below(count), j = rng.below(count);
      if (i > j) std::swap(i, j);
      // One draw per statement: the operands of + have no fixed order.
      const std::string epsrel = rng.pick(epsrels);
      const std::string limit = rng.pick(limits);
      std::string input = extremes[i];
      input.append(" ").append(extremes[j]).append(" ").append(epsrel).append(" ");
      input.append(limit).append(" ").append(std::to_string(made % 3 + 1)).append("\n");
      if (add("extreme", input)) ++made;
    }
  }

  if (fields == 2) {
    // Newton's map of the arctangent has an exact two-cycle in double
    // arithmetic, x -> -x for x = 1.3917452002707349: lower limits on it and
    // next to it, with upper limits beyond it.
    for (const char *x0 : {"-1.3917452002707349", "-1.3917452002707347", "-1.3917452002707351",
                           "-1.3917452002707353", "1.3917452002707349"})
      for (const char *x1 : {"1.3917452002707349", "1.391745200270735", "2", "1e300"})
        add("cycle", std::string(x0) + "\n" + x1 + "\n");
  }

  // Every edge value in every position, the other values realistic.
  for (const char *edge : EDGE_TOKENS)
    for (int pos = 0; pos < fields; ++pos) {
      std::vector<std::string> f = plain();
      f[static_cast<std::size_t>(pos)] = edge;
      add("edge", join(rng, f, true));
    }

  // Fields drawn from mixed pools, joined by varied blanks; sometimes with
  // trailing garbage or cut short.
  const int mixed = rb ? 220 : fields == 2 ? 150 : 180;
  for (int made = 0; made < mixed;) {
    std::vector<std::string> f;
    f.reserve(static_cast<std::size_t>(fields) + 1);
    for (int i = 0; i < fields; ++i) f.push_back(field(rng, p, i));
    if (rb && rng.chance(70)) {
      // Mostly an ordered interval, so that the methods run.
      double a = 0, b = 0;
      if (plain_double(f[0], a) && plain_double(f[1], b) && a > b) std::swap(f[0], f[1]);
    }
    if (rng.chance(10)) f.push_back(any_token(rng));
    std::string input = join(rng, f, rng.chance(80));
    if (rng.chance(8))
      input = input.substr(0, static_cast<std::size_t>(rng.below(input.size() + 1)));
    if (add("mixed", input)) ++made;
  }

  // Sequences of arbitrary tokens.
  for (int made = 0; made < (rb ? 70 : 60);) {
    std::vector<std::string> f;
    const int n = static_cast<int>(rng.between(1, 12));
    f.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) f.push_back(any_token(rng));
    if (add("tokens", join(rng, f, rng.chance(50)))) ++made;
  }

  // Arbitrary bytes.
  for (int made = 0; made < (rb ? 70 : 60);)
    if (add("bytes", random_bytes(rng, 80))) ++made;

  // NUL bytes.
  const std::string nul(1, '\0');
  add("nul", nul);
  add("nul", nul + "\n" + nul + "\n");
  add("nul", "1" + nul + "2\n3\n");
  {
    std::vector<std::string> f = plain();
    add("nul", join(rng, f, true) + nul);
    f[0] = nul + f[0];
    add("nul", join(rng, f, true));
    add("nul", std::string(1000, '\0'));
  }

  // Very long lines.
  const std::size_t big = std::size_t{100} * 1024;
  auto tail = [&](std::size_t from) {
    std::vector<std::string> f = plain();
    std::string s;
    for (std::size_t i = from; i < f.size(); ++i) s += " " + f[i];
    return s + "\n";
  };
  add("long", std::string(big, '9') + tail(1));
  add("long", "-" + std::string(big, '7') + tail(1));
  add("long", "0." + std::string(big, '0') + "1" + tail(1));
  add("long", std::string(big, '0') + "1" + tail(1));
  add("long", "1." + std::string(big, '5') + tail(1));
  add("long", "1e" + std::string(big, '9') + tail(1));
  add("long", std::string(big, ' ') + tail(0));
  add("long", std::string(big, '\n') + tail(0));
  add("long", std::string(big, ' '));
  add("long", join(rng, plain(), true) + std::string(big, 'x') + "\n");
  add("long", join(rng, plain(), false) + std::string(big, '7'));
  add("long", std::string(big, '-'));
  {
    std::string s;
    while (s.size() < big) s += static_cast<char>(rng.below(256));
    add("long", s);
  }
  if (rb) {
    // A long run of leading zeros before a small limit, and before a method.
    std::vector<std::string> f = plain();
    f[3] = std::string(big, '0') + "5";
    add("long", join(rng, f, true));
    f = plain();
    f[4] = std::string(big, '0') + "2";
    add("long", join(rng, f, true));
  }
  return cases;
}

// ---------------------------------------------------------------------------
// Running a program

struct Outcome {
  bool timed_out = false;
  bool flooded = false; // stopped after writing far too much
  int wait_status = 0;
  std::string out, err;
  double seconds = 0;
};

const std::size_t OUTPUT_LIMIT = 16u << 20;

void set_flag(int fd, int flag_get, int flag_set, int flag) {
  const int flags = fcntl(fd, flag_get);
  if (flags >= 0) fcntl(fd, flag_set, flags | flag);
}

bool make_pipe(int fds[2]) {
  if (pipe(fds) != 0) return false;
  set_flag(fds[0], F_GETFD, F_SETFD, FD_CLOEXEC);
  set_flag(fds[1], F_GETFD, F_SETFD, FD_CLOEXEC);
  return true;
}

void close_fd(int &fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

Outcome run(const std::string &path, const std::string &input, char *const envp[], double timeout) {
  using clock = std::chrono::steady_clock;
  Outcome r;
  int in[2], out[2], err[2];
  if (!make_pipe(in) || !make_pipe(out) || !make_pipe(err)) {
    std::perror("pipe");
    std::exit(2);
  }
  const auto start = clock::now();
  const auto deadline =
      start + std::chrono::duration_cast<clock::duration>(std::chrono::duration<double>(timeout));
  std::vector<char *> argv = {const_cast<char *>(path.c_str()), nullptr};
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("fork");
    std::exit(2);
  }
  if (pid == 0) {
    // The originals are close-on-exec; the copies are not.
    dup2(in[0], 0);
    dup2(out[1], 1);
    dup2(err[1], 2);
    struct sigaction sa;
    std::memset(&sa, 0, sizeof sa);
    sa.sa_handler = SIG_DFL;
    sigemptyset(&sa.sa_mask);
    sigaction(SIGPIPE, &sa, nullptr);
    execve(path.c_str(), argv.data(), envp);
    const char msg[] = "hostile_input: cannot execute the program\n";
    ssize_t ignored = write(2, msg, sizeof msg - 1);
    (void)ignored;
    _exit(127);
  }
  close(in[0]);
  close(out[1]);
  close(err[1]);
  int to_child = in[1], from_out = out[0], from_err = err[0];
  set_flag(to_child, F_GETFL, F_SETFL, O_NONBLOCK);
  set_flag(from_out, F_GETFL, F_SETFL, O_NONBLOCK);
  set_flag(from_err, F_GETFL, F_SETFL, O_NONBLOCK);
  std::size_t written = 0;
  if (input.empty()) close_fd(to_child);

  auto remaining_ms = [&]() {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now());
    return static_cast<int>(left.count());
  };
  char buf[65536];
  while (from_out >= 0 || from_err >= 0) {
    const int ms = remaining_ms();
    if (ms <= 0) {
      r.timed_out = true;
      break;
    }
    pollfd fds[3];
    nfds_t n = 0;
    int idx_in = -1, idx_out = -1, idx_err = -1;
    if (to_child >= 0) {
      idx_in = static_cast<int>(n);
      fds[n++] = {to_child, POLLOUT, 0};
    }
    if (from_out >= 0) {
      idx_out = static_cast<int>(n);
      fds[n++] = {from_out, POLLIN, 0};
    }
    if (from_err >= 0) {
      idx_err = static_cast<int>(n);
      fds[n++] = {from_err, POLLIN, 0};
    }
    const int ready = poll(fds, n, ms);
    if (ready < 0) {
      if (errno == EINTR) continue;
      std::perror("poll");
      std::exit(2);
    }
    if (idx_in >= 0 && fds[idx_in].revents != 0) {
      const ssize_t w = write(to_child, input.data() + written, input.size() - written);
      if (w > 0) {
        written += static_cast<std::size_t>(w);
        if (written == input.size()) close_fd(to_child);
      } else if (w < 0 && errno != EAGAIN && errno != EINTR) {
        close_fd(to_child); // EPIPE: the program stopped reading
      }
    }
    auto drain = [&](int idx, int &fd, std::string &sink) {
      if (idx < 0 || fds[idx].revents == 0) return;
      const ssize_t got = read(fd, buf, sizeof buf);
      if (got > 0) {
        sink.append(buf, static_cast<std::size_t>(got));
      } else if (got == 0 || (errno != EAGAIN && errno != EINTR)) {
        close_fd(fd);
      }
    };
    drain(idx_out, from_out, r.out);
    drain(idx_err, from_err, r.err);
    if (r.out.size() + r.err.size() > OUTPUT_LIMIT) {
      r.flooded = true;
      break;
    }
  }
  close_fd(to_child);
  close_fd(from_out);
  close_fd(from_err);

  // Both streams closed: the program is ending; give it until the deadline.
  bool reaped = false;
  while (!r.timed_out && !r.flooded) {
    const pid_t w = waitpid(pid, &r.wait_status, WNOHANG);
    if (w == pid) {
      reaped = true;
      break;
    }
    if (w < 0 && errno != EINTR) {
      std::perror("waitpid");
      std::exit(2);
    }
    if (remaining_ms() <= 0) {
      r.timed_out = true;
      break;
    }
    const timespec pause = {0, 1000000};
    nanosleep(&pause, nullptr);
  }
  if (!reaped) {
    kill(pid, SIGKILL);
    while (waitpid(pid, &r.wait_status, 0) < 0 && errno == EINTR) {
    }
  }
  r.seconds = std::chrono::duration<double>(clock::now() - start).count();
  return r;
}

// ---------------------------------------------------------------------------
// Checking a run

bool starts_with(const std::string &s, const std::string &prefix) {
  return s.compare(0, prefix.size(), prefix) == 0;
}

void check_rootbench(const Case &c, int status, const Outcome &r,
                     std::vector<std::string> &problems) {
  const std::string &err = r.err;
  switch (status) {
  case 0:
  case 4:
    if (!err.empty())
      problems.push_back("standard error not empty with status " + std::to_string(status));
    break;
  case 9:
  case 11:
  case 12:
  case 13:
  case 27: {
    const std::size_t nl = err.find('\n');
    const std::string context = nl == std::string::npos ? err : err.substr(0, nl);
    const std::string expected_second = std::string(catalogue_line(status)) + "\n";
    if (nl == std::string::npos || err.substr(nl + 1) != expected_second) {
      problems.push_back("standard error is not a context line followed by \"" +
                         std::string(catalogue_line(status)) + "\"");
      break;
    }
    bool fits = false;
    if (status == 13) fits = context == CTX_NEGATIVA;
    if (status == 11) fits = context == CTX_EXCEDE;
    if (status == 27) fits = context == CTX_BISEC_INI || context == CTX_RFALSI_INI;
    if (status == 12) fits = context == CTX_ITERACION;
    if (status == 9)
      fits = context == CTX_BISEC_INI || context == CTX_RFALSI_INI || context == CTX_NEWTON_INI ||
             context == CTX_ITERACION;
    if (!fits)
      problems.push_back("context line does not belong to status " + std::to_string(status));
    break;
  }
  default: problems.push_back("undocumented exit status " + std::to_string(status)); break;
  }

  // Outcomes fixed by plain numbers.
  const std::vector<std::string> t = split_blanks(c.input);
  double a = 0, b = 0, epsrel = 0;
  int maxiter = 0, metodo = 0;
  if (t.size() >= 2 && plain_double(t[0], a) && plain_double(t[1], b)) {
    if (a > b) {
      if (status != 4) problems.push_back("a > b must end with status 4");
      if (r.out != ROOTBENCH_A_GT_B)
        problems.push_back("a > b must stop right after the prompt for b");
    } else if (t.size() >= 5 && plain_double(t[2], epsrel) && plain_int(t[3], maxiter) &&
               plain_int(t[4], metodo) && epsrel < 0) {
      if (status != 13) problems.push_back("a negative relative precision must end with status 13");
    }
  }
}

void check_exercise(const Case &c, int fields, int status, const Outcome &r,
                    std::vector<std::string> &problems) {
  if (status == 0) {
    if (!r.err.empty()) problems.push_back("standard error not empty with status 0");
  } else if (status == 1) {
    if (r.err != EXERCISE_ERROR)
      problems.push_back("standard error is not the invalid-value message");
  } else {
    problems.push_back("undocumented exit status " + std::to_string(status));
  }
  // Plain numbers in every field: the run completes. Plain numbers up to the
  // end of the input, with fields missing: the run stops at the missing one.
  const std::vector<std::string> t = split_blanks(c.input);
  double v = 0;
  std::size_t plain = 0;
  while (plain < t.size() && plain < static_cast<std::size_t>(fields) && plain_double(t[plain], v))
    ++plain;
  if (plain == static_cast<std::size_t>(fields) && status != 0)
    problems.push_back("plain numbers must end with status 0");
  if (plain == t.size() && plain < static_cast<std::size_t>(fields) && status != 1)
    problems.push_back("end of input before a value must end with status 1");
}

std::vector<std::string> check(const ProgramInfo &info, const Case &c, const Outcome &r) {
  std::vector<std::string> problems;
  if (r.timed_out) {
    problems.push_back("did not end within the time limit (killed)");
    return problems;
  }
  if (r.flooded) {
    problems.push_back("wrote more than " + std::to_string(OUTPUT_LIMIT) + " bytes (killed)");
    return problems;
  }
  if (WIFSIGNALED(r.wait_status)) {
    const int sig = WTERMSIG(r.wait_status);
    problems.push_back("killed by signal " + std::to_string(sig) + " (" + strsignal(sig) + ")");
    return problems;
  }
  const int status = WEXITSTATUS(r.wait_status);
  if (status == SANITIZER_STATUS) {
    problems.push_back("sanitizer report (exit status " + std::to_string(status) + ")");
    return problems;
  }
  if (r.out.empty())
    problems.push_back("standard output empty");
  else if (!starts_with(r.out, info.first_line))
    problems.push_back("standard output does not start with the first dialogue line");
  if (info.program == Program::rootbench)
    check_rootbench(c, status, r, problems);
  else
    check_exercise(c, info.fields, status, r, problems);
  return problems;
}

// ---------------------------------------------------------------------------
// Reporting

// Escapes s so that printf '%b' or a shell printf reproduces it.
std::string escape(const std::string &s, std::size_t limit) {
  std::string e;
  auto put = [&](unsigned char ch) {
    if (ch == '\\') {
      e += "\\\\";
    } else if (ch == '\n') {
      e += "\\n";
    } else if (ch == '\t') {
      e += "\\t";
    } else if (ch >= 0x20 && ch < 0x7F && ch != '\'' && ch != '%') {
      e += static_cast<char>(ch);
    } else {
      char oct[8];
      (void)std::snprintf(oct, sizeof oct, "\\%03o", ch);
      e += oct;
    }
  };
  if (s.size() <= limit) {
    for (unsigned char ch : s) put(ch);
    return e;
  }
  const std::size_t head = limit * 2 / 3, tail = limit - head;
  for (std::size_t i = 0; i < head; ++i) put(static_cast<unsigned char>(s[i]));
  e += "[... " + std::to_string(s.size() - head - tail) + " bytes ...]";
  for (std::size_t i = s.size() - tail; i < s.size(); ++i) put(static_cast<unsigned char>(s[i]));
  return e;
}

std::string describe(const Outcome &r) {
  if (r.timed_out) return "killed after the time limit";
  if (r.flooded) return "killed after too much output";
  if (WIFSIGNALED(r.wait_status)) return "signal " + std::to_string(WTERMSIG(r.wait_status));
  return "exit status " + std::to_string(WEXITSTATUS(r.wait_status));
}

// The environment of the programs: this process's, with sanitizer options
// that make a report end the process with SANITIZER_STATUS. The leak check
// at exit costs more than the rest of a sanitizer run, so it is on only
// when leaks is true.
std::vector<std::string> child_environment(bool leaks) {
  std::vector<std::string> env;
  std::string asan = "ASAN_OPTIONS=", ubsan = "UBSAN_OPTIONS=";
  for (char **e = environ; *e != nullptr; ++e) {
    const std::string var = *e;
    if (starts_with(var, "ASAN_OPTIONS="))
      asan = var + ":";
    else if (starts_with(var, "UBSAN_OPTIONS="))
      ubsan = var + ":";
    else
      env.push_back(var);
  }
  const std::string code = std::to_string(SANITIZER_STATUS);
  env.push_back(asan + "halt_on_error=1:abort_on_error=0:exitcode=" + code +
                ":detect_leaks=" + (leaks ? "1" : "0"));
  env.push_back(ubsan + "halt_on_error=1:abort_on_error=0:print_stacktrace=1:exitcode=" + code);
  return env;
}

// An environment block for execve; the strings must outlive it.
std::vector<char *> env_block(std::vector<std::string> &strings) {
  std::vector<char *> block;
  block.reserve(strings.size() + 1);
  for (std::string &s : strings) block.push_back(s.data());
  block.push_back(nullptr);
  return block;
}

int usage() {
  std::cerr << "usage: hostile_input PROGRAM PATH [--seed N] [--timeout SECONDS]"
               " [--max-failures N] [--only CASE] [--dump CASE] [--list]\n"
               "PROGRAM: rootbench, arcroot, arcprobe, steffexp or steffcubic\n";
  return 2;
}

bool parse_number(const char *text, double &value) {
  char *end = nullptr;
  errno = 0;
  value = std::strtod(text, &end);
  return errno == 0 && end != text && *end == '\0' && value >= 0;
}

} // namespace

int main(int argc, char **argv) {
  if (argc < 3) return usage();
  const ProgramInfo *info = nullptr;
  for (const ProgramInfo &p : PROGRAMS)
    if (std::strcmp(p.name, argv[1]) == 0) info = &p;
  if (info == nullptr) return usage();
  const std::string path = argv[2];

  std::uint64_t seed = 0x5EEDB0A7C0FFEE01ULL;
  double timeout = 5, max_failures = 5, only = -1, dump = -1;
  bool list = false;
  for (int i = 3; i < argc; ++i) {
    const std::string opt = argv[i];
    double value = 0;
    if (opt == "--list") {
      list = true;
      continue;
    }
    if (i + 1 >= argc || !parse_number(argv[i + 1], value)) return usage();
    ++i;
    if (opt == "--seed")
      seed = std::strtoull(argv[i], nullptr, 0);
    else if (opt == "--timeout")
      timeout = value;
    else if (opt == "--max-failures")
      max_failures = value;
    else if (opt == "--only")
      only = value;
    else if (opt == "--dump")
      dump = value;
    else
      return usage();
  }

  const std::vector<Case> cases = make_cases(info->program, info->fields, seed);
  if (dump >= 0) {
    const std::size_t k = static_cast<std::size_t>(dump);
    if (k >= cases.size()) return usage();
    std::cout << cases[k].input;
    return 0;
  }
  if (list) {
    for (std::size_t k = 0; k < cases.size(); ++k)
      std::cout << k << " " << cases[k].kind << " '" << escape(cases[k].input, 120) << "'\n";
    return 0;
  }

  // Make sure descriptors 0 to 2 exist, so that no pipe lands on them.
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) < 0 && open("/dev/null", O_RDWR) < 0) return 2;
  (void)signal(SIGPIPE, SIG_IGN); // a program that stops reading must not stop us

  // Leaks are looked for in every LEAK_CHECK_EVERY-th run and in the
  // regression cases.
  const std::size_t LEAK_CHECK_EVERY = 8;
  std::vector<std::string> env_leaks = child_environment(true);
  std::vector<std::string> env_quick = child_environment(false);
  const std::vector<char *> envp_leaks = env_block(env_leaks);
  const std::vector<char *> envp_quick = env_block(env_quick);

  const auto start = std::chrono::steady_clock::now();
  int runs = 0, failures = 0;
  double slowest = 0;
  std::size_t slowest_case = 0;
  std::map<std::string, int> endings; // how the runs ended, for the summary
  for (std::size_t k = 0; k < cases.size(); ++k) {
    if (only >= 0 && k != static_cast<std::size_t>(only)) continue;
    const Case &c = cases[k];
    const bool leaks = c.kind == "regression" || k % LEAK_CHECK_EVERY == 0;
    const Outcome r = run(path, c.input, (leaks ? envp_leaks : envp_quick).data(), timeout);
    ++runs;
    if (r.seconds > slowest) {
      slowest = r.seconds;
      slowest_case = k;
    }
    ++endings[describe(r)];
    const std::vector<std::string> problems = check(*info, c, r);
    if (problems.empty()) continue;
    ++failures;
    std::cout << "FAIL " << info->name << " case " << k << " (" << c.kind << ")\n";
    for (const std::string &p : problems) std::cout << "  problem: " << p << "\n";
    std::cout << "  input (" << c.input.size() << " bytes): '" << escape(c.input, 600) << "'\n"
              << "  reproduce: hostile_input " << info->name << " " << path << " --dump " << k
              << " | " << path << "\n"
              << "  ended: " << describe(r) << " after " << r.seconds << " s\n"
              << "  stderr: '" << escape(r.err, 2000) << "'\n"
              << "  stdout (" << r.out.size() << " bytes): '" << escape(r.out, 600) << "'\n";
    std::cout.flush();
    if (failures >= max_failures) {
      std::cout << "stopping after " << failures << " failures\n";
      break;
    }
  }
  const double total =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << info->name << ": " << runs << " runs, " << failures << " failed, " << total
            << " s in all, slowest " << slowest << " s (case " << slowest_case << ")\n";
  for (const auto &e : endings) std::cout << "  " << e.first << ": " << e.second << " runs\n";
  return failures == 0 ? 0 : 1;
}
