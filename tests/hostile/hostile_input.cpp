// hostile_input PROGRAM PATH [--dump K]: runs PATH, one of the suite's
// programs, on several hundred cases generated from a fixed seed: hostile
// standard input, hostile command-line arguments and, for rootbench, hostile
// expressions after -f and -d. Every run must end within 5 s, by exit and not
// by a signal, with a documented status and standard error (a sanitizer
// report is neither) and the standard output its kind of run allows.
// --dump K writes the input of case K, to feed it to the program by hand.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

namespace {

const int SANITIZER_STATUS = 86;                 // set through ASAN_OPTIONS and UBSAN_OPTIONS
const std::size_t BIG = std::size_t{100} * 1024; // length of the very long lines
const std::size_t ARG_MAX_LEN = 128 * 1024 - 1;  // longest single argument Linux accepts

// Tables of tokens, written as one string each, split at the spaces.
std::vector<std::string> words(const char *text) {
  std::istringstream in(text);
  std::vector<std::string> w;
  for (std::string t; in >> t;) w.push_back(t);
  return w;
}

std::mt19937_64 engine(0x5EEDB0A7C0FFEE01ULL);

// A value in [0, n); the modulo bias does not matter here.
std::uint64_t below(std::uint64_t n) { return engine() % n; }
long long between(long long lo, long long hi) {
  return lo + static_cast<long long>(below(static_cast<std::uint64_t>(hi - lo) + 1));
}
template <typename C> const auto &pick(const C &items) { return items[below(std::size(items))]; }

// v thousandths as an exact decimal, spelt -1.234, -1.234e0 or -1234e-3.
std::string milli(long long v) {
  char s[64];
  std::snprintf(s, sizeof s, "%s%lld.%03lld", v < 0 ? "-" : "", std::llabs(v) / 1000,
                std::llabs(v) % 1000);
  const std::uint64_t spelling = below(3);
  return spelling == 0 ? std::to_string(v) + "e-3" : spelling == 1 ? std::string(s) + "e0" : s;
}

const char NUMBERISH[] = "0123456789+-.,eEpPxXnNaAiIfF_/ ";
// len bytes, numberish percent of them from NUMBERISH, the rest arbitrary.
std::string junk(std::size_t len, unsigned numberish) {
  std::string s(len, ' ');
  for (char &c : s)
    c = below(100) < numberish ? NUMBERISH[below(sizeof NUMBERISH - 1)]
                               : static_cast<char>(below(256));
  return s;
}
// The same as an argument: no NUL, which would end it, and one byte past
// ASCII at the end, which no name or number can hold.
std::string junk_argument(std::size_t len, unsigned numberish) {
  std::string s = junk(len, numberish);
  std::replace(s.begin(), s.end(), '\0', '\x80');
  return s.append(1, '\x80');
}

// ---- What each program reads and writes --------------------------------

// What a run's standard error and status must be: status -1 stands for any
// of the program's search endings.
struct Expected {
  int status;
  std::string err;
};

// rootbench's texts.
const std::string WARNING = "Valor no v\xE1lido: se conservan los valores iniciales\n";
const std::string ARGUMENTO = "Argumento no v\xE1lido\n";
const std::string INTERVALO = "error en el intervalo: a > b\n" + ARGUMENTO;
const std::string TOLERANCIA =
    "La precisi\xF3n relativa requerida es negativa\nTolerancia inv\xE1lida\n";
const std::string NO_FINITO = "Hay un problema con la funci\xF3n del usuario\n";
// How a search may end: a context line, then the catalogue line of the code.
const std::vector<Expected> SEARCH_ENDINGS = [] {
  std::vector<Expected> e{{0, ""}};
  const std::string limite = "excede n\xFAmero m\xE1ximo de iteraciones\n"
                             "Se ha excedido el n\xFAmero m\xE1ximo de iteraciones\n";
  const std::string iteracion = "error en la iteraci\xF3n\n";
  for (const char *start :
       {"error en bisecIni\n", "error en rfalsiIni\n", "error en newtonIni\n"}) {
    e.push_back({9, start + NO_FINITO});
    e.push_back({27, start + std::string("Ra\xEDz no acotada en intervalo\n")});
  }
  e.push_back({9, iteracion + NO_FINITO});
  e.push_back({12, iteracion + "Intento de dividir por cero\n"});
  e.push_back({11, limite});
  return e;
}();

// rootbench stores a value only when its extraction succeeds; the first
// read that fails on text (not on the end of input) writes WARNING, and once
// the stream has failed every later read fails too.
Expected rootbench_model(const std::string &input) {
  std::istringstream in(input);
  std::string warning;
  auto lee = [&](auto &x) {
    std::remove_reference_t<decltype(x)> y{};
    const bool text = in && !(in >> std::ws).eof();
    if (in >> y)
      x = y;
    else if (text && warning.empty() && !in.bad())
      warning = WARNING;
  };
  double a = 0, b = 3, epsrel = 0.01;
  int maxiter = 100, metodo = 1;
  lee(a);
  lee(b);
  if (a > b) return {4, warning + INTERVALO};
  lee(epsrel);
  lee(maxiter);
  lee(metodo);
  if (epsrel < 0) return {13, warning + TOLERANCIA};
  if (metodo < 1 || metodo > 3) return {4, warning};
  return {-1, warning};
}

// The exercise programs end at the first value they cannot read.
template <std::size_t FIELDS> Expected exercise_model(const std::string &input) {
  std::istringstream in(input);
  double x = 0;
  for (std::size_t i = 0; i < FIELDS; ++i) in >> x; // a failure is sticky
  return in.fail() ? Expected{1, "Valor no valido: se esperaba un numero\n"} : Expected{0, ""};
}

// A realistic value for one field.
std::string any_start() { return milli(between(-10000, 10000)); }
std::string left_end() { return milli(between(-3000, 0)); }
std::string right_end() { return milli(between(0, 3000)); }
std::string precision() { return "1e-" + std::to_string(between(0, 17)); }
std::string limit() { return std::to_string(between(1, 60)); }
std::string method() { return std::to_string(between(1, 3)); }

using Cases = std::vector<std::string>;
Cases rootbench_special(const std::vector<std::string> &delicate);
Cases arc_special(const std::vector<std::string> &delicate);

struct Program {
  const char *name;
  std::vector<std::string (*)()> fields; // a realistic value for each number read
  std::size_t integers;                  // how many of the last fields are integers
  const char *first_line;                // first line of standard output
  const char *delicate;                  // values where the arithmetic is fragile
  Expected (*model)(const std::string &input);
  Cases (*special)(const std::vector<std::string> &delicate); // inputs aimed at known edges
  int limit_field;  // which field is the typed iteration limit, or -1
  bool expressions; // takes -f EXPR and -d EXPR
};

const char *const ARC_FIRST = "Elije el intervalo en el cual comprobaremos la existencia\n";
const char *const STEFF_FIRST =
    "Introduzca el valor aproximado(con todas las cifras decimales conocidas)\n";
// Delicate values, in ascending order for rootbench (pairs of them make
// intervals): where fun or Dfun is exactly 0 and exp(-x) overflows; around
// Newton's two-cycle of the arctangent and where x * x overflows; roots of
// both Steffensen functions and where exp(-x) or x^3 overflows.
const char *const ROOTBENCH_DELICATE =
    "-1.7976931348623157e308 -1e308 -1e154 -745.2 -709.79 -709.78 -3 -2.6178666130668127 "
    "-1.4879620654981776 -0.3574029561813889 -4.9e-324 -0 0 1e-320 0.53983527690282007 3 1e154 "
    "1e308 1.7976931348623157e308";
const char *const ARC_DELICATE = "1.3917452002707349 -1.3917452002707349 -1.3917452002707347 "
                                 "-1.3917452002707353 1e-13 -1e-12 1e10 -1e154 1.34e154 -1.35e154 "
                                 "1e200";
const char *const STEFF_DELICATE = "0.53983527690282007 -0.6527036446661393 -1.4879620654981776 "
                                   "-2.8793852415718169 -710 -709.78 1e103 1e154 -1e154 1e10 -1e10";
const Program PROGRAMS[] = {{"rootbench",
                             {left_end, right_end, precision, limit, method},
                             2,
                             "Introduzca extremos del intervalo [a,b]\n",
                             ROOTBENCH_DELICATE,
                             rootbench_model,
                             rootbench_special,
                             3,
                             true},
                            {"arcroot",
                             {left_end, right_end},
                             0,
                             ARC_FIRST,
                             ARC_DELICATE,
                             exercise_model<2>,
                             arc_special,
                             -1,
                             false},
                            {"arcprobe",
                             {left_end, right_end},
                             0,
                             ARC_FIRST,
                             ARC_DELICATE,
                             exercise_model<2>,
                             arc_special,
                             -1,
                             false},
                            {"steffexp",
                             {any_start},
                             0,
                             STEFF_FIRST,
                             STEFF_DELICATE,
                             exercise_model<1>,
                             nullptr,
                             -1,
                             false},
                            {"steffcubic",
                             {any_start},
                             0,
                             STEFF_FIRST,
                             STEFF_DELICATE,
                             exercise_model<1>,
                             nullptr,
                             -1,
                             false}};

// Points where fun or Dfun is exactly 0 in double arithmetic, as one or both
// ends, with each method; and every interval between two delicate values,
// where exp(-x), 2x^2, the products of the sign tests and the midpoint
// overflow or underflow.
Cases rootbench_special(const std::vector<std::string> &delicate) {
  Cases c;
  for (const char *z :
       {"0.53983527690282007", "-0.3574029561813889", "-1.4879620654981776", "-2.6178666130668127"})
    for (int shape = 0; shape < 3; ++shape)
      for (const char *metodo : {"1", "2", "3"})
        for (const char *epsrel : {"1e-8", "0"})
          c.push_back(std::string(shape == 2 ? "-3" : z) + " " + (shape == 1 ? "3" : z) + " " +
                      epsrel + " 50 " + metodo + "\n");
  static const char *const epsrels[] = {"0", "1e-8", "1", "1e300"};
  static const char *const limits[] = {"1000", "50", "0", "-1"};
  for (std::size_t i = 0; i < delicate.size(); ++i)
    for (std::size_t j = i; j < delicate.size(); ++j)
      c.push_back(delicate[i] + " " + delicate[j] + " " + epsrels[(i + j) % 4] + " " +
                  limits[i % 4] + " " + std::to_string(j % 3 + 1) + "\n");
  return c;
}

// Newton's map of the arctangent sends 1.3917452002707349 to its opposite
// exactly: lower limits on and next to the cycle.
Cases arc_special(const std::vector<std::string> & /*delicate*/) {
  Cases c;
  for (const char *x0 : {"-1.3917452002707349", "-1.3917452002707347", "-1.3917452002707351",
                         "-1.3917452002707353", "1.3917452002707349"})
    for (const char *x1 : {"1.3917452002707349", "1.391745200270735", "2", "1e300"})
      c.push_back(std::string(x0) + "\n" + x1 + "\n");
  return c;
}

// ---- Generated cases ------------------------------------------------------

// What a case checks beyond a clean ending.
enum class Kind {
  Input,         // the dialogue, with the status and standard error the model gives
  Usage,         // --help, --version, or one line on standard error and status 4
  Expression,    // a dialogue on the typed function, or the clear expression error
  BadExpression, // the clear expression error: a context line, then ARGUMENTO
  NotFinite,     // a dialogue on the typed function that ends in status 9
};
struct Case {
  Kind kind;
  std::vector<std::string> args;
  std::string input;
};

// Edges of the double and int ranges, and malformed numbers.
const std::vector<std::string> EDGES = words(
    "1.7976931348623157e308 -1.7976931348623157e308 1.7976931348623159e308 1e308 -1e308 1e309 "
    "-1e309 1e400 -1e400 1e99999 -1e99999 1e-99999 2147483647 -2147483648 2147483648 -2147483649 "
    "99999999999 -99999999999 9223372036854775808 4.9e-324 -4.9e-324 2e-324 1e-320 1e-400 -0 +0 "
    "0e0 - + -e5 e5 . -. 1e 1e+ --1 +-1 0,5 1,000 nan -nan inf -inf infinity 0x1p3 0x10 0x 1.2.3 "
    "1e5e5 5-3 12abc 3\xE9 abc \xE9 \xC3\xA9 \xFF");
// Junk after a number, NUL included.
const std::vector<std::string> JUNK = [] {
  std::vector<std::string> j = words("abc x ,5 .5.5 e e+ \xE9 # /2 * \x01 %");
  j.push_back(std::string(1, '\0') + "7");
  return j;
}();
// Odd spellings of integers.
const std::vector<std::string> ODD_INTS = words("0 -1 -0 1.5 3abc 4 +3 03 1e3 0x10 1001 2e0");
const char *const SEPARATORS[] = {" ",    " ",      "\n", "\n", "\t",
                                  "\r\n", "  \n  ", "\v", "\f", "\n\n\n"};

std::vector<std::string> plain(const Program &p) {
  std::vector<std::string> f;
  for (auto *field : p.fields) f.push_back(field());
  return f;
}

std::string join(const std::vector<std::string> &f, bool newline) {
  std::string s;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (i > 0) s += pick(SEPARATORS);
    s += f[i];
  }
  return newline ? s + "\n" : s;
}

// Any value for field i: mostly realistic, otherwise edgy or broken.
std::string hostile(const Program &p, const std::vector<std::string> &delicate, std::size_t i) {
  const std::uint64_t r = below(100);
  if (r < 50) return p.fields[i]();
  if (r < 62) return pick(EDGES);
  if (r < 70) return pick(delicate);
  if (r < 76) return milli(between(-2000000, -709783)); // exp(-x) overflows
  if (r < 84 && i + p.integers >= p.fields.size()) return pick(ODD_INTS);
  // Not p.fields[i]() + pick(JUNK): the operands of + are unsequenced.
  if (r < 92) return p.fields[i]().append(pick(JUNK));
  return junk(below(12) + 1, 80);
}

// A plain input with field i replaced by value.
std::string with_field(const Program &p, std::size_t i, const std::string &value) {
  std::vector<std::string> f = plain(p);
  f[i] = value;
  return join(f, true);
}

Cases hostile_inputs(const Program &p) {
  Cases c;
  const std::vector<std::string> delicate = words(p.delicate);
  const std::size_t n = p.fields.size();
  // End of input at every prompt: well-formed inputs cut after every token,
  // with and without the separator that follows it.
  for (int base = 0; base < 8; ++base) {
    const std::vector<std::string> f = plain(p);
    for (std::size_t k = 0; k <= n; ++k) {
      const std::vector<std::string> head(f.begin(), f.begin() + static_cast<long>(k));
      c.push_back(join(head, false));
      c.push_back(join(head, true));
    }
  }
  // Every edge value in every position, the others realistic.
  for (const std::string &edge : EDGES)
    for (std::size_t i = 0; i < n; ++i) c.push_back(with_field(p, i, edge));
  if (p.special != nullptr)
    for (std::string &s : p.special(delicate)) c.push_back(std::move(s));
  // Fields drawn from every pool, sometimes with a token more or cut short.
  for (std::size_t k = 0; k < 100 + 8 * n; ++k) {
    std::vector<std::string> f;
    for (std::size_t i = 0; i < n; ++i) f.push_back(hostile(p, delicate, i));
    if (below(10) == 0) f.push_back(hostile(p, delicate, 0));
    std::string s = join(f, below(5) != 0);
    if (below(12) == 0) s.resize(below(s.size() + 1));
    c.push_back(s);
  }
  // Arbitrary bytes, number-like or not, and NUL bytes.
  for (int k = 0; k < 60; ++k) {
    const unsigned numberish = below(2) == 0 ? 85 : 0; // one draw per statement
    c.push_back(junk(below(81), numberish));
  }
  const std::string nul(1, '\0');
  for (const std::string &s :
       {nul, nul + "\n" + nul + "\n", "1" + nul + "2\n3\n", std::string(1000, '\0'),
        join(plain(p), true) + nul, nul + join(plain(p), true)})
    c.push_back(s);
  // Lines of about 100 KB, first in the input or as leading zeros anywhere.
  for (const std::string &head :
       {std::string(BIG, '9'), "-" + std::string(BIG, '7'), "0." + std::string(BIG, '0') + "1",
        "1." + std::string(BIG, '5'), "1e" + std::string(BIG, '9'), std::string(BIG, ' '),
        std::string(BIG, '\n'), std::string(BIG, '-'), "1" + std::string(BIG, 'x'), junk(BIG, 0)})
    c.push_back(with_field(p, 0, head));
  for (std::size_t i = 0; i < n; ++i) c.push_back(with_field(p, i, std::string(BIG, '0') + "2"));
  return c;
}

// Arguments that no program takes, alone or a few together; none of them
// starts a typed function, and "--" comes only with others.
std::vector<std::vector<std::string>> hostile_options() {
  const std::vector<std::string> pool = {"-",       "-x",       "-?",         "-V",        "-h",
                                         "--bogus", "--help=1", "--version=", "--hel",     "--vers",
                                         "--h",     "--he",     "1",          "0,5",       "abc",
                                         "\xE9",    "",         "--help",     "--version", "-hx",
                                         "--\xE9",  "--help=",  "---help",    "-",         "--",
                                         "0 1 0.5", "\n",       "-1",         "--verbose"};
  std::vector<std::vector<std::string>> lists;
  for (const std::string &a : pool) lists.push_back({a});
  lists.push_back({"z" + junk_argument(ARG_MAX_LEN - 2, 0)});
  lists.push_back({"--" + std::string(ARG_MAX_LEN - 2, 'a')});
  for (int k = 0; k < 20; ++k) {
    std::vector<std::string> l;
    for (std::uint64_t i = below(3) + 2; i > 0; --i)
      l.push_back(below(6) == 0 ? "z" + junk_argument(below(20), 30) : pick(pool));
    lists.push_back(l);
  }
  lists.erase(std::find(lists.begin(), lists.end(), std::vector<std::string>{"--"}));
  return lists;
}

// A random expression of the grammar rootbench reads, nested depth levels at
// most. Built step by step: the operands of + are unsequenced.
std::string expression(int depth) {
  static const char *const atoms[] = {"x", "x", "x", "pi", "e", "2", "0.5", "1e3", "3.25", "0"};
  static const char *const ops[] = {" + ", " - ", "*", "/", "^"};
  static const char *const functions[] = {"sin",  "cos",  "tan", "asin", "acos",  "atan", "sinh",
                                          "cosh", "tanh", "exp", "log",  "log10", "sqrt", "abs"};
  if (depth == 0 || below(4) == 0) return pick(atoms);
  std::string s;
  switch (below(3)) {
  case 0: s = pick(functions); return s.append("(").append(expression(depth - 1)).append(")");
  case 1: return "-" + expression(depth - 1);
  default:
    s = "(" + expression(depth - 1);
    s += pick(ops);
    return s.append(expression(depth - 1)).append(")");
  }
}

std::string repeat(const std::string &s, std::size_t n) {
  std::string r;
  for (std::size_t i = 0; i < n; ++i) r += s;
  return r;
}

// rootbench's -f and -d: generated and hostile expressions, each on a plain
// input for the method that uses what it tests.
std::vector<Case> expression_cases(const Program &p) {
  std::vector<Case> c;
  auto input = [&p](const char *metodo) {
    std::vector<std::string> f = plain(p);
    f[4] = metodo;
    return join(f, true);
  };
  for (int k = 0; k < 30; ++k) {
    const std::string f = expression(4);
    c.push_back({Kind::Expression, {"-f", f}, join(plain(p), true)});
  }
  for (int k = 0; k < 12; ++k) {
    const std::string f = expression(3);
    c.push_back({Kind::Expression, {"--funcion=" + f, "-d", expression(3)}, input("3")});
  }
  // Rejected whatever the method: unknown names, a second variable, empty
  // text, syntax errors, random bytes (with one byte no name can hold), the
  // longest argument Linux takes, and 60,000 nested parentheses.
  std::vector<std::string> bad =
      words("sen(x) foo(x) y x+y x*t X xx ln2(x) x( (x x) 2..3 x+ *x sin() sin(x,x) x^ 1,5 x=1 "
            "x$ pi(x) e(x) x+-*2 3x4 )(");
  for (const char *s : {"", " ", "\t", "sin x", "x\n+1", "x\xE9"}) bad.emplace_back(s);
  for (int k = 0; k < 12; ++k) bad.push_back(junk_argument(below(30), 50));
  for (const std::string unit : {"x+", "1", "(", "-", "sin("})
    bad.push_back(repeat(unit, ARG_MAX_LEN / unit.size()).substr(0, ARG_MAX_LEN - 1) + "x");
  bad.push_back(junk_argument(ARG_MAX_LEN - 1, 0));
  bad.push_back(std::string(60000, '(') + "x" + std::string(60000, ')'));
  bad.push_back(std::string(60000, '(') + "x");
  for (std::size_t i = 0; i < bad.size(); ++i) {
    c.push_back({Kind::BadExpression, {"-f", bad[i]}, input("1")});
    if (i % 3 == 0)
      c.push_back({Kind::BadExpression, {"-f", "x - 0.5", "--derivada", bad[i]}, input("3")});
  }
  // Deep but shorter: each must be rejected or solved within the deadline.
  for (std::size_t n : {10, 60, 199}) {
    c.push_back({Kind::Expression, {"-f", repeat("x^", n) + "x"}, input("3")});
    c.push_back(
        {Kind::Expression, {"-f", repeat("sin(", n) + "x" + std::string(n, ')')}, input("3")});
    c.push_back({Kind::Expression, {"-f", std::string(n, '-') + "x"}, input("3")});
    c.push_back({Kind::Expression, {"-f", repeat("x*", n) + "x"}, input("3")});
  }
  // Values that are not finite at the start, the library's status 9, and the
  // shapes of the options around -f and -d.
  const Case fixed[] = {{Kind::NotFinite, {"-f", "log(x - 5)"}, "0 1 1e-8 50 1\n"},
                        {Kind::NotFinite, {"-f", "sqrt(x - 5)"}, "0 1 1e-8 50 3\n"},
                        {Kind::NotFinite, {"-f", "x^0.5 - 3"}, "-1 1 1e-8 50 2\n"},
                        {Kind::NotFinite, {"-f", "exp(1000*x) - 2"}, "-1 1 1e-8 50 1\n"},
                        {Kind::NotFinite, {"-f", "exp(x^2) - 2"}, "0 30 1e-8 50 2\n"},
                        {Kind::NotFinite, {"-f", "x - 0.5", "-d", "log(x - 5)"}, "0 1 1e-8 50 3\n"},
                        {Kind::NotFinite, {"-f", "1/x"}, "0 1 1e-8 50 1\n"},
                        {Kind::Usage, {"-f"}, ""},
                        {Kind::Usage, {"-d"}, ""},
                        {Kind::Usage, {"-d", "1"}, ""},
                        {Kind::Usage, {"--funcion"}, ""},
                        {Kind::Usage, {"-f", "x", "extra"}, ""},
                        {Kind::Usage, {"-f", "x", "--bogus"}, ""},
                        {Kind::Usage, {"-f", "x", "-d"}, ""},
                        {Kind::Usage, {"--help", "-f", "x"}, ""},
                        {Kind::Usage, {"-f", "x", "--version"}, ""},
                        {Kind::Expression, {"-fx-0.5"}, "0 1 1e-8 50 3\n"},
                        {Kind::Expression, {"-f", "x", "-f", "x-1"}, "0 1 1e-8 50 3\n"},
                        {Kind::Expression, {"--fun=x-1", "--der", "1"}, "0 1 1e-8 50 3\n"}};
  c.insert(c.end(), std::begin(fixed), std::end(fixed));
  return c;
}

std::vector<Case> make_cases(const Program &p) {
  std::vector<Case> cases;
  std::set<std::pair<std::vector<std::string>, std::string>> seen;
  auto add = [&](Case c) {
    // A row per iteration: a typed limit above 1000 could make long runs,
    // and is dropped.
    std::istringstream in(c.input);
    double x = 0;
    int limit = 0;
    for (int i = 0; i < p.limit_field; ++i) in >> x;
    if (p.limit_field >= 0 && in >> limit && limit > 1000) return;
    if (seen.insert({c.args, c.input}).second) cases.push_back(std::move(c));
  };
  for (std::string &s : hostile_inputs(p)) add({Kind::Input, {}, std::move(s)});
  for (auto &args : hostile_options()) add({Kind::Usage, std::move(args), ""});
  if (p.expressions)
    for (Case &c : expression_cases(p)) add(std::move(c));
  return cases;
}

// ---- Running and judging -----------------------------------------------

struct Outcome {
  bool hung = false;
  int wait_status = 0;
  std::string out, err;
};

[[noreturn]] void die(const char *what) {
  std::perror(what);
  std::exit(2);
}

// An anonymous file holding text, read from its start.
int file_with(const std::string &text) {
  const int fd = memfd_create("hostile_input", MFD_CLOEXEC);
  if (fd < 0) die("memfd_create");
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t w = write(fd, text.data() + done, text.size() - done);
    if (w < 0) die("write");
    done += static_cast<std::size_t>(w);
  }
  lseek(fd, 0, SEEK_SET);
  return fd;
}

std::string contents(int fd) {
  std::string s;
  char buf[65536];
  lseek(fd, 0, SEEK_SET);
  for (ssize_t got; (got = read(fd, buf, sizeof buf)) > 0;)
    s.append(buf, static_cast<std::size_t>(got));
  close(fd);
  return s;
}

// Runs path with args, input in a file on standard input and both outputs
// into files, and waits for it at most 5 s: SIGCHLD is blocked in the
// harness, so that sigtimedwait can wait for it, and unblocked in the program.
Outcome run(const char *path, const std::vector<std::string> &args, const std::string &input) {
  int fds[3] = {file_with(input), file_with(""), file_with("")};
  std::vector<char *> argv{const_cast<char *>(path)};
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  for (int i = 0; i < 3; ++i) posix_spawn_file_actions_adddup2(&actions, fds[i], i);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t chld, none;
  sigemptyset(&chld);
  sigaddset(&chld, SIGCHLD);
  sigemptyset(&none);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK);
  pid_t pid = 0;
  errno = posix_spawn(&pid, path, &actions, &attributes, argv.data(), environ);
  if (errno != 0) die("posix_spawn");
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  close(fds[0]);
  Outcome r;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  for (pid_t done = 0; done == 0;) {
    const auto left = std::chrono::duration_cast<std::chrono::nanoseconds>(
                          deadline - std::chrono::steady_clock::now())
                          .count();
    const timespec wait{static_cast<time_t>(left / 1000000000),
                        static_cast<long>(left % 1000000000)};
    if (left <= 0 || (sigtimedwait(&chld, nullptr, &wait) < 0 && errno == EAGAIN)) {
      r.hung = true;
      kill(pid, SIGKILL);
    }
    done = waitpid(pid, &r.wait_status, r.hung ? 0 : WNOHANG);
    if (done < 0) die("waitpid");
  }
  r.out = contents(fds[1]);
  r.err = contents(fds[2]);
  return r;
}

// The texts of --help and --version, run once: the only standard output a
// usage run may end with status 0.
struct Usage {
  std::string help, version;
};

std::size_t lines(const std::string &s) {
  std::size_t n = 0;
  for (char c : s) n += c == '\n' ? 1 : 0;
  return n;
}

// Why the run's outputs and status do not fit its case, or an empty string.
std::string misfit(const Program &p, const Usage &u, const Case &c, const Outcome &r) {
  const int status = WEXITSTATUS(r.wait_status);
  const bool typed = std::any_of(c.args.begin(), c.args.end(), [](const std::string &a) {
    return a.compare(0, 2, "-f") == 0 || a.compare(0, 3, "--f") == 0;
  });
  const bool clear_error =
      status == 4 && r.out.empty() && lines(r.err) == 2 && r.err.size() > ARGUMENTO.size() + 1 &&
      r.err.compare(r.err.size() - ARGUMENTO.size(), std::string::npos, ARGUMENTO) == 0;
  const bool usage = (status == 0 && r.err.empty() && (r.out == u.help || r.out == u.version)) ||
                     (status == 4 && r.out.empty() && lines(r.err) == 1 && r.err.back() == '\n' &&
                      r.err.find("--help") != std::string::npos);
  if (c.kind == Kind::Usage) return usage ? "" : "not --help, --version or one usage line with 4";
  if (c.kind == Kind::BadExpression || (c.kind == Kind::Expression && clear_error))
    return clear_error ? "" : "not a context line and \"Argumento no v\xE1lido\" with status 4";
  // A dialogue: on a typed function two lines name it first.
  std::size_t start = 0;
  for (int k = 0; typed && k < 2; ++k) start = r.out.find('\n', start) + 1;
  if (start == 0 && typed) return "standard output lacks the lines naming the function";
  if (r.out.compare(start, std::strlen(p.first_line), p.first_line) != 0)
    return "standard output does not start with the first prompt";
  const Expected e = p.model(c.input);
  bool fits = e.status >= 0 && status == e.status && r.err == e.err;
  for (const Expected &end : SEARCH_ENDINGS)
    fits = fits || (e.status < 0 && status == end.status && r.err == e.err + end.err);
  if (c.kind == Kind::NotFinite && status != 9) return "a status other than 9";
  return fits ? "" : "status or standard error does not fit the values read";
}

// What is wrong with the run, or an empty string.
std::string problem(const Program &p, const Usage &u, const Case &c, const Outcome &r) {
  if (r.hung) return "did not end within 5 s (a hang)";
  if (WIFSIGNALED(r.wait_status))
    return std::string("killed by signal: ") + strsignal(WTERMSIG(r.wait_status));
  const std::string ended = "exit status " + std::to_string(WEXITSTATUS(r.wait_status));
  if (WEXITSTATUS(r.wait_status) == SANITIZER_STATUS) return ended + ": a sanitizer report";
  const std::string wrong = misfit(p, u, c, r);
  return wrong.empty() ? "" : ended + ": " + wrong;
}

// s escaped for printf '%b' between single quotes; shortened past limit bytes.
std::string escape(const std::string &s, std::size_t limit) {
  std::string e;
  for (std::size_t i = 0; i < s.size() && i < limit; ++i) {
    const auto c = static_cast<unsigned char>(s[i]);
    const bool shown = c >= 0x20 && c < 0x7F && c != '\'' && c != '\\';
    char oct[16];
    std::snprintf(oct, sizeof oct, "\\0%03o", static_cast<unsigned>(c));
    e += c == '\n' ? "\\n" : shown ? std::string(1, s[i]) : std::string(oct);
  }
  if (s.size() > limit) e += "[... " + std::to_string(s.size() - limit) + " more bytes]";
  return e;
}

void report(const Program &p, const char *path, std::size_t k, const Case &c, const Outcome &r,
            const std::string &what) {
  std::cout << "FAIL " << p.name << " case " << k << ": " << what << "\n  reproduce: ";
  if (c.input.size() <= 600)
    std::cout << "printf '%b' '" << escape(c.input, 600) << "' | ";
  else
    std::cout << "hostile_input " << p.name << " " << path << " --dump " << k << " | ";
  std::cout << path;
  for (const std::string &a : c.args) std::cout << " '" << escape(a, 200) << "'";
  std::cout << "\n  stderr: '" << escape(r.err, 2000) << "'\n  stdout (" << r.out.size()
            << " bytes): '" << escape(r.out, 300) << "'\n"
            << std::flush;
}

} // namespace

int main(int argc, char **argv) {
  const Program *p = nullptr;
  for (const Program &q : PROGRAMS)
    if (argc >= 3 && std::strcmp(argv[1], q.name) == 0) p = &q;
  const bool dump = argc == 5 && std::strcmp(argv[3], "--dump") == 0;
  if (p == nullptr || (argc != 3 && !dump)) {
    std::cerr << "usage: hostile_input PROGRAM PATH [--dump K]\n";
    return 2;
  }
  const char *path = argv[2];
  const std::vector<Case> cases = make_cases(*p);
  if (dump) {
    const unsigned long k = std::strtoul(argv[4], nullptr, 10);
    if (k < cases.size()) std::cout << cases[k].input;
    return k < cases.size() ? 0 : 2;
  }

  // No file of a run may land on descriptors 0 to 2. Output past 16 MiB
  // ends a program with SIGXFSZ.
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) < 0) open("/dev/null", O_RDWR);
  const rlimit size{16 << 20, 16 << 20};
  setrlimit(RLIMIT_FSIZE, &size);
  sigset_t chld;
  sigemptyset(&chld);
  sigaddset(&chld, SIGCHLD);
  sigprocmask(SIG_BLOCK, &chld, nullptr);
  // Appended to what the environment asks for: a sanitizer report ends the
  // program with SANITIZER_STATUS. The leak check at exit costs twice the
  // rest of a sanitized run, so only every 16th run makes it.
  const std::string halt = ":halt_on_error=1:abort_on_error=0:print_stacktrace=1:exitcode=" +
                           std::to_string(SANITIZER_STATUS);
  const char *asan = std::getenv("ASAN_OPTIONS"), *ubsan = std::getenv("UBSAN_OPTIONS");
  const std::string asan_options = std::string(asan != nullptr ? asan : "") + halt;
  setenv("UBSAN_OPTIONS", (std::string(ubsan != nullptr ? ubsan : "") + halt).c_str(), 1);

  const auto start = std::chrono::steady_clock::now();
  int failures = 0;
  // --help and --version: status 0, their text on standard output only.
  Usage u;
  for (auto [option, text] : {std::pair{"--help", &u.help}, {"--version", &u.version}}) {
    setenv("ASAN_OPTIONS", asan_options.c_str(), 1);
    const Outcome r = run(path, {option}, "");
    *text = r.out;
    if (r.hung || r.wait_status != 0 || !r.err.empty() || r.out.empty() ||
        r.out.compare(0, std::strlen(p->first_line), p->first_line) == 0) {
      ++failures;
      report(*p, path, 0, {Kind::Usage, {option}, ""}, r, "not a clean text and status 0");
    }
  }
  std::size_t k = 0;
  for (; k < cases.size() && failures < 5; ++k) {
    setenv("ASAN_OPTIONS", (asan_options + (k % 16 == 0 ? "" : ":detect_leaks=0")).c_str(), 1);
    const Outcome r = run(path, cases[k].args, cases[k].input);
    const std::string what = problem(*p, u, cases[k], r);
    if (what.empty()) continue;
    ++failures;
    report(*p, path, k, cases[k], r, what);
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << p->name << ": " << k << " of " << cases.size() << " runs, " << failures << " failed"
            << (failures >= 5 ? " (stopped)" : "") << ", " << seconds << " s\n";
  return failures == 0 ? 0 : 1;
}
