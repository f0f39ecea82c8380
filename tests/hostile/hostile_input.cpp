// hostile_input PROGRAM PATH: runs PATH, one of the suite's programs, on several hundred cases
// generated from a fixed seed: hostile standard input, hostile arguments and, for rootbench,
// rootcompare and rootscan, hostile expressions after -f and -d; for rootcompare and rootscan,
// hostile numbers after -a, -b, -t (rootcompare's -n), hostile paths after -g and pictures of
// intervals that are hard to draw, leaving no temporary file behind. Every run
// must end within 5 s (15 s under the sanitizers, which run it several times slower), by exit
// and not by a signal, with a documented status and standard
// error (a sanitizer report is neither) and the standard output its kind of run allows. A
// failing case's input is written to hostile-PROGRAM-K.in in the working directory, to feed it
// to the program by hand.
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::string>;
const int SANITIZER_STATUS = 86;                 // set through ASAN_OPTIONS and UBSAN_OPTIONS
const int DEADLINE_MS = 5000;                    // a run still going then hangs
const int DEADLINE_SANITIZED_MS = 30000;         // the same, sanitized: 4 to 6 times slower
const std::size_t BIG = std::size_t{100} * 1024; // length of the very long lines
const std::size_t ARG_MAX_LEN = 128 * 1024 - 1;  // longest single argument Linux accepts

// Tables are written as one string each, split at sep.
Strings split(const std::string &text, char sep = ' ') {
  std::istringstream in(text);
  Strings items;
  for (std::string item; std::getline(in, item, sep);) items.push_back(item);
  return items;
}
std::string repeat(const std::string &s, std::size_t n) {
  std::string r;
  while (n-- > 0) r += s;
  return r;
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
// len bytes, numberish percent of them from NUMBERISH, the rest arbitrary. As
// an argument: no NUL, which would end it, and a last byte past ASCII, which
// no name or number can hold.
std::string junk(std::size_t len, unsigned numberish, bool argument = false) {
  std::string s(len, ' ');
  for (char &c : s)
    c = below(100) < numberish ? NUMBERISH[below(sizeof NUMBERISH - 1)]
                               : static_cast<char>(below(256));
  if (argument) std::replace(s.begin(), s.end(), '\0', '\x80');
  return argument ? s + '\x80' : s;
}

// A program reads one number per letter of its fields: l and r the ends of an
// interval, s a start value, p a precision, n an iteration limit, m a method.
bool integer(char field) { return field == 'n' || field == 'm'; }
std::string realistic(char field) {
  if (field == 'p') return "1e-" + std::to_string(between(0, 17));
  if (integer(field)) return std::to_string(field == 'n' ? between(1, 60) : between(1, 3));
  return milli(field == 'l'   ? between(-3000, 0)
               : field == 'r' ? between(0, 3000)
                              : between(-10000, 10000));
}

// The fields as the programs' stream extractions read them: once a read
// fails, every later one fails too.
struct Read {
  std::vector<double> values;           // those read before the first failure
  bool failed = false, on_text = false; // on_text: it met text, not the end of input
  // The first field whose read met text and failed, or took only the start
  // of a word: rootbench warns there.
  std::size_t warned_at = SIZE_MAX;
};
Read read_fields(const std::string &input, const std::string &fields) {
  std::istringstream in(input);
  Read r;
  for (char field : fields) {
    const bool text = !(in >> std::ws).eof();
    double x = 0;
    int n = 0;
    r.failed = integer(field) ? !(in >> n) : !(in >> x);
    r.on_text = r.failed && text;
    const bool in_part = !r.failed && !in.eof() && std::isspace(in.peek()) == 0;
    if ((r.on_text || in_part) && r.warned_at == SIZE_MAX) r.warned_at = r.values.size();
    if (r.failed) break;
    r.values.push_back(integer(field) ? n : x);
  }
  return r;
}

// A run's status and standard error; status -1 stands for any search ending.
struct Expected {
  int status;
  std::string err;
};
const std::string ARGUMENTO = "Argumento no v\xE1lido\n";
const std::string NO_FINITO = "Hay un problema con la funci\xF3n del usuario\n";
// rootbench's warning, without what follows it on its line: the word typed.
const std::string WARNING = "Valor no v\xE1lido: se conservan los valores iniciales\n";
std::string without_detail(std::string err) {
  const std::size_t n = WARNING.size() - 1;
  if (err.compare(0, n, WARNING, 0, n) == 0 && err.compare(n, 2, "; ") == 0)
    err.erase(n, err.find('\n') - n);
  return err;
}
// How a search may end: a context line, then the catalogue line of the code.
const std::vector<Expected> SEARCH_ENDINGS = [] {
  std::vector<Expected> e{{0, ""},
                          {9, "error en la iteraci\xF3n\n" + NO_FINITO},
                          {12, "error en la iteraci\xF3n\nIntento de dividir por cero\n"},
                          {11, "excede n\xFAmero m\xE1ximo de iteraciones\n"
                               "Se ha excedido el n\xFAmero m\xE1ximo de iteraciones\n"},
                          {21, "error en la ra\xEDz: f no se anula en el punto hallado (posible "
                               "polo o discontinuidad)\nSe ha detectado una singularidad\n"},
                          {23, "error en la ra\xEDz: f no se anula en el punto hallado\n"
                               "Iteraci\xF3n estancada\n"}};
  for (const std::string &start : split("bisecIni rfalsiIni newtonIni")) {
    e.push_back({9, "error en " + start + "\n" + NO_FINITO});
    e.push_back({27, "error en " + start + "\nRa\xEDz no acotada en intervalo\n"});
  }
  return e;
}();
// rootbench keeps the initial value of a field it cannot read, warns once if
// a read failed on text, and checks a > b before reading on.
Expected rootbench_model(const Read &r) {
  const double initial[] = {0, 3, 0.01, 100, 1};
  auto value = [&](std::size_t i) { return i < r.values.size() ? r.values[i] : initial[i]; };
  auto warning = [&](std::size_t n) { return r.warned_at < n ? WARNING : ""; };
  if (value(0) > value(1)) return {4, warning(2) + "error en el intervalo: a > b\n" + ARGUMENTO};
  if (value(2) < 0)
    return {13, warning(5) +
                    "La precisi\xF3n relativa requerida es negativa\nTolerancia inv\xE1lida\n"};
  return {value(4) < 1 || value(4) > 3 ? 4 : -1, warning(5)};
}
// The exercise programs end at the first value they cannot read.
Expected exercise_model(const Read &r) {
  return {r.failed ? 1 : 0, r.failed ? "Valor no valido: se esperaba un numero\n" : ""};
}

enum class Kind {
  Help,          // --help or --version: a text of its own on standard output, status 0
  Usage,         // the text of --help or --version, or one line on standard error and status 4
  Input,         // the dialogue, with the status and standard error the model gives
  Expression,    // a dialogue on the typed function, or the clear expression error
  BadExpression, // the clear expression error: a context line, then ARGUMENTO, status 4
  NotFinite,     // a dialogue on the typed function that ends in status 9
  Compare,       // rootcompare: its output and status 0, a refusal (4) or a picture not written (5)
  Scan,          // rootscan: as Compare, or its output and the budget spent (11)
};
struct Case {
  Kind kind;
  Strings args;
  std::string input;
};
// One description per program.
struct Program {
  const char *name;
  const char *fields;     // one letter per number read, as in realistic()
  const char *first_line; // first line of standard output
  const char *delicate;   // values where the arithmetic is fragile; pairs make intervals
  Expected (*model)(const Read &);
  std::vector<Case> (*special)(const Program &); // cases aimed at the program's own edges
};

// Edges of the double and int ranges, malformed numbers, junk after a number
// (NUL included), odd spellings of integers.
const Strings EDGES = split(
    "1.7976931348623157e308 -1.7976931348623157e308 1.7976931348623159e308 1e308 -1e308 1e309 "
    "-1e309 1e400 -1e400 1e99999 -1e99999 1e-99999 2147483647 -2147483648 2147483648 -2147483649 "
    "99999999999 -99999999999 9223372036854775808 4.9e-324 -4.9e-324 2e-324 1e-320 1e-400 -0 +0 "
    "0e0 - + -e5 e5 . -. 1e 1e+ --1 +-1 0,5 1,000 nan -nan inf -inf infinity 0x1p3 0x10 0x 1.2.3 "
    "1e5e5 5-3 12abc 3\xE9 abc \xE9 \xC3\xA9 \xFF");
const Strings JUNK = split(std::string("abc x ,5 .5.5 e e+ \xE9 # /2 * \x01 % ") + '\0' + "7");
const Strings ODD_INTS = split("0 -1 -0 1.5 3abc 4 +3 03 1e3 0x10 1001 2e0");
const Strings SEPARATORS = split(" | |\n|\n|\t|\r\n|  \n  |\v|\f|\n\n\n", '|');

std::string join(const Strings &f, bool newline = true) {
  std::string s;
  for (std::size_t i = 0; i < f.size(); ++i) s += (i > 0 ? pick(SEPARATORS) : "") + f[i];
  return newline ? s + "\n" : s;
}
Strings plain(const Program &p) {
  Strings f;
  for (const char *field = p.fields; *field != '\0'; ++field) f.push_back(realistic(*field));
  return f;
}
// A plain input, with field i replaced by value if there is one.
std::string with_field(const Program &p, std::size_t i = 0, const std::string &value = "") {
  Strings f = plain(p);
  if (!value.empty()) f[i] = value;
  return join(f);
}
// Any value for field i: mostly realistic, otherwise edgy or broken.
std::string hostile(const Program &p, const Strings &delicate, std::size_t i) {
  const std::uint64_t r = below(100);
  if (r < 50) return realistic(p.fields[i]);
  if (r < 62) return pick(EDGES);
  if (r < 70) return pick(delicate);
  if (r < 76) return milli(between(-2000000, -709783)); // exp(-x) overflows
  if (r < 84 && integer(p.fields[i])) return pick(ODD_INTS);
  // Not realistic() + pick(JUNK): the operands of + are unsequenced.
  if (r < 92) return realistic(p.fields[i]).append(pick(JUNK));
  return junk(below(12) + 1, 80);
}

Strings hostile_inputs(const Program &p) {
  Strings c;
  const Strings delicate = split(p.delicate);
  const std::size_t n = std::strlen(p.fields);
  // End of input at every prompt: well-formed inputs cut after every token,
  // with and without the separator that follows it.
  for (int base = 0; base < 8; ++base) {
    const Strings f = plain(p);
    for (std::size_t k = 0; k <= n; ++k)
      for (bool newline : {false, true})
        c.push_back(join(Strings(f.begin(), f.begin() + static_cast<long>(k)), newline));
  }
  // Every interval between two delicate values, with rootbench's later
  // fields (p, n, m) varying with it.
  const Strings epsrels = split("0 1e-8 1 1e300"), limits = split("1000 50 0 -1");
  for (std::size_t i = 0; i < delicate.size() && p.fields[0] == 'l'; ++i)
    for (std::size_t j = i; j < delicate.size(); ++j) {
      const Strings f = {delicate[i], delicate[j], epsrels[(i + j) % 4], limits[i % 4],
                         std::to_string(j % 3 + 1)};
      c.push_back(join(Strings(f.begin(), f.begin() + static_cast<long>(n))));
    }
  // Every edge value in every position, the others realistic.
  for (const std::string &edge : EDGES)
    for (std::size_t i = 0; i < n; ++i) c.push_back(with_field(p, i, edge));
  // Fields drawn from every pool, sometimes with a token more or cut short.
  for (std::size_t k = 0; k < 100 + 8 * n; ++k) {
    Strings f;
    for (std::size_t i = 0; i < n; ++i) f.push_back(hostile(p, delicate, i));
    if (below(10) == 0) f.push_back(hostile(p, delicate, 0));
    c.push_back(join(f, below(5) != 0));
    if (below(12) == 0) c.back().resize(below(c.back().size() + 1));
  }
  // Arbitrary bytes, number-like or not, and NUL bytes.
  for (int k = 0; k < 60; ++k) {
    const unsigned numberish = below(2) == 0 ? 85 : 0; // one draw per statement
    c.push_back(junk(below(81), numberish));
  }
  const std::string nul(1, '\0');
  for (const std::string &s : {nul, nul + "\n" + nul + "\n", "1" + nul + "2\n3\n",
                               std::string(1000, '\0'), with_field(p) + nul, nul + with_field(p)})
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

// Arguments no program takes, alone or a few together ("--" only with
// others), and the shapes of rootbench's options that are refused.
std::vector<Strings> hostile_options() {
  const Strings pool = split("-|-x|-?|-V|-h|--bogus|--help=1|--version=|--hel|--vers|--h|--he|1|"
                             "0,5|abc|\xE9||--help|--version|-hx|--\xE9|--help=|---help|-|--|"
                             "0 1 0.5|\n|-1|--verbose",
                             '|');
  std::vector<Strings> lists;
  for (const std::string &a : pool)
    if (a != "--") lists.push_back({a});
  for (const std::string &l : split("-f|-d|-d 1|--funcion|-f x extra|-f x --bogus|-f x -d|"
                                    "--help -f x|-f x --version",
                                    '|'))
    lists.push_back(split(l));
  lists.push_back({"z" + junk(ARG_MAX_LEN - 2, 0, true)});
  lists.push_back({"--" + std::string(ARG_MAX_LEN - 2, 'a')});
  for (int k = 0; k < 20; ++k) {
    lists.emplace_back();
    for (std::uint64_t i = below(3) + 2; i > 0; --i)
      lists.back().push_back(below(6) == 0 ? "z" + junk(below(20), 30, true) : pick(pool));
  }
  return lists;
}

// A random expression of the grammar rootbench reads, nested depth levels at
// most: f(e), -e or (e op e). Built step by step: the operands of + are
// unsequenced.
const Strings ATOMS = split("x x x pi e 2 0.5 1e3 3.25 0 1e300 1e-320 5e299 4.9e-324"),
              OPS = split(" + | - |*|/|^", '|'),
              FUNCTIONS = split("sin cos tan asin acos atan sinh cosh tanh exp log log10 sqrt abs");
std::string expression(int depth) {
  if (depth == 0 || below(4) == 0) return pick(ATOMS);
  const std::uint64_t shape = below(3);
  std::string s = shape == 0 ? pick(FUNCTIONS) + "(" : shape == 1 ? "-" : "(";
  s += expression(depth - 1);
  if (shape == 2) s += pick(OPS);
  if (shape == 2) s += expression(depth - 1);
  return shape == 1 ? s : s + ")";
}

// Texts that -f and -d refuse whatever the method: unknown names, a second
// variable, empty text, syntax errors, random bytes, the longest argument
// Linux takes, 60,000 nested parentheses.
Strings bad_expressions() {
  Strings bad = split("seno(x)|x**2|0,5*x|2(x+1)|x\xC2\xB2|foo(x)|y|x+y|x*t|X|xx|ln2(x)|x(|(x|x)|2."
                      ".3|x+|*x|sin()|sin(x,x)|x^|"
                      "1,5|x=1|x$|pi(x)|e(x)|x+-*2|3x4|)(|| |\t|sin x|x\n+1|x\xE9",
                      '|');
  for (int k = 0; k < 12; ++k) bad.push_back(junk(below(30), 50, true));
  for (const std::string &unit : split("x+ 1 ( - sin("))
    bad.push_back(repeat(unit, ARG_MAX_LEN / unit.size()).substr(0, ARG_MAX_LEN - 1) + "x");
  bad.push_back(junk(ARG_MAX_LEN - 1, 0, true));
  bad.push_back(std::string(60000, '(') + "x" + std::string(60000, ')'));
  bad.push_back(std::string(60000, '(') + "x");
  return bad;
}

// rootbench's runs with fixed arguments (split at '|') and input: values that
// are not finite at the start, and typed functions given in other shapes.
const char *const NOT_FINITE[][2] = {
    {"-f|log(x - 5)", "0 1 1e-8 50 1\n"},           {"-f|sqrt(x - 5)", "0 1 1e-8 50 3\n"},
    {"-f|x^0.5 - 3", "-1 1 1e-8 50 2\n"},           {"-f|exp(1000*x) - 2", "-1 1 1e-8 50 1\n"},
    {"-f|exp(x^2) - 2", "0 30 1e-8 50 2\n"},        {"-f|1/x", "0 1 1e-8 50 1\n"},
    {"-f|x - 0.5|-d|log(x - 5)", "0 1 1e-8 50 3\n"}};
const char *const TYPED[][2] = {{"-fx-0.5", "0 1 1e-8 50 3\n"},
                                {"-f|x|-f|x-1", "0 1 1e-8 50 3\n"},
                                {"--fun=x-1|--der|1", "0 1 1e-8 50 3\n"}};

// rootbench: points where fun or Dfun is exactly 0 in double arithmetic, as
// one or both ends, with each method; then -f and -d with generated, refused,
// deep and non-finite expressions, each with the method (field 4) that uses
// what it tests. The elements of a braced list are evaluated in order.
std::vector<Case> rootbench_cases(const Program &p) {
  std::vector<Case> c;
  for (const std::string &z :
       split("0.53983527690282007 -0.3574029561813889 -1.4879620654981776 -2.6178666130668127"))
    for (const std::string &ends : {z + " " + z, z + " 3", "-3 " + z})
      for (const std::string &rest :
           split(" 1e-8 50 1| 0 50 1| 1e-8 50 2| 0 50 2| 1e-8 50 3| 0 50 3", '|'))
        c.push_back({Kind::Input, {}, ends + rest + "\n"});
  for (int k = 0; k < 30; ++k)
    c.push_back({Kind::Expression, {"-f", expression(4)}, with_field(p)});
  for (int k = 0; k < 12; ++k)
    c.push_back({Kind::Expression,
                 {"--funcion=" + expression(3), "-d", expression(3)},
                 with_field(p, 4, "3")});
  const Strings bad = bad_expressions();
  for (std::size_t i = 0; i < bad.size(); ++i) {
    c.push_back({Kind::BadExpression, {"-f", bad[i]}, with_field(p, 4, "1")});
    if (i % 3 == 0)
      c.push_back(
          {Kind::BadExpression, {"-f", "x - 0.5", "--derivada", bad[i]}, with_field(p, 4, "3")});
  }
  // Deep but shorter: each must be rejected or solved within the deadline.
  for (std::size_t n : {10, 60, 199})
    for (const std::string &f :
         {repeat("x^", n) + "x", repeat("sin(", n) + "x" + std::string(n, ')'),
          std::string(n, '-') + "x", repeat("x*", n) + "x"})
      c.push_back({Kind::Expression, {"-f", f}, with_field(p, 4, "3")});
  for (const auto &row : NOT_FINITE) c.push_back({Kind::NotFinite, split(row[0], '|'), row[1]});
  for (const auto &row : TYPED) c.push_back({Kind::Expression, split(row[0], '|'), row[1]});
  return c;
}

// rootcompare and rootscan read no standard input: every case is its
// arguments. Hostile numbers after -a, -b, -t (their long forms for rootscan)
// and rootcompare's -n, intervals between delicate values, hostile paths
// after -g, and typed functions generated, refused and deep. rootcompare's
// iteration limit stays at 1000 at most, the picture's iterates with it;
// rootscan's budget of calls bounds its runs.
Strings limited(Strings args) {
  if (std::find(args.begin(), args.end(), "-n") == args.end()) args.push_back("-n50");
  return args;
}
std::vector<Case> argument_cases(const Program &p, bool scan) {
  std::vector<Case> c;
  const auto add = [&c, scan](const Strings &args) {
    c.push_back({scan ? Kind::Scan : Kind::Compare, scan ? args : limited(args), ""});
  };
  for (const std::string &edge : EDGES)
    for (const std::string &option :
         split(scan ? "-a -b -t --extremo-a --extremo-b --tolerancia" : "-a -b -t"))
      add({option, edge, below(2) == 0 ? "--csv" : "-f", "x - 0.25"});
  if (!scan)
    for (const std::string &n : ODD_INTS) add({"-n", n, "-t", pick(EDGES)});
  for (int k = 0; k < 20; ++k) add({"-a", junk(below(12) + 1, 80, true), "-t", pick(JUNK) + "1"});
  const Strings delicate = split(p.delicate);
  for (std::size_t i = 0; i < delicate.size(); i += 2)
    for (std::size_t j = i; j < delicate.size(); j += 3)
      add({"-a", delicate[i], "-b", delicate[j], "-t", pick(split("0 1e-300 1 1e300"))});
  // Paths stay in the working directory or below directories that do not
  // exist: the picture replaces its file by a rename, and a run as root
  // must not replace a device or write at the top of the file system.
  const std::string own = std::string("hostile-") + p.name;
  for (const std::string &path :
       {own + ".svg", std::string("/nonexistent/dir/x.svg"), std::string(""), std::string("."), own,
        own + ".txt", std::string(".svg"), std::string("/nonexistent/\n\x1b[2J.svg"),
        std::string("hostile-\n\x1b[2J/x.svg"), "/nonexistent/" + std::string(5000, 'a') + ".svg",
        std::string(300, 'b') + ".svg", own + "-" + junk(below(30) + 1, 20, true)})
    add({"-g", path, "-f", pick(split("x - 0.25|cos(x) - x|1/(x - 0.5)", '|'))});
  // Pictures of intervals PLplot cannot number as they are: a few ulps wide,
  // with subnormal ends, the whole range of doubles.
  for (const std::string &ends :
       split("1 1.0000000000000002|0 4.9406564584124654e-324|-4.9406564584124654e-324 "
             "4.9406564584124654e-324|1e-310 1.0000000000001e-310|-1.7976931348623157e308 "
             "1.7976931348623157e308|1e308 1.7976931348623157e308|1 1|-1e-300 1e-300",
             '|'))
    for (const std::string &f : split("sin(x)|x - 1|sin(x)/x|1/(x - 1)|1e-320*x", '|'))
      add({"-f", f, "-a", split(ends)[0], "-b", split(ends)[1], "-g", own + ".svg"});
  for (int k = 0; k < 30; ++k)
    add({"-f", expression(4), "-a", realistic('l'), "-b", realistic('r')});
  for (int k = 0; k < 10; ++k) add({"-f", expression(3), "-d", expression(3), "--csv"});
  const Strings bad = bad_expressions();
  for (const std::string &b : bad) add({"-f", b});
  for (std::size_t i = 0; i < 8; ++i) add({"-f", "x - 0.25", "-d", bad[i]});
  // Polynomials past the limits of the exact path: refused, with the clear
  // expression error, before they are multiplied out.
  for (const std::string &f :
       {std::string("x^1000000 - x^1000000 + x - 0.25"),
        std::string(6, '(') + "x+1" + repeat(")^9", 6) + "*0 + x - 0.25",
        std::string("x^(2^70) - x^(2^70) + x - 0.25"), std::string("(x - 0.5)^1001")})
    add({"-f", f});
  // The proof on the ends of the doubles and between delicate values.
  if (scan) {
    for (const std::string &edge : EDGES)
      add({pick(split("-a -b")), edge, "--demuestra", "-f",
           pick(split("x - 0.25|1/(x - 0.5)|sqrt(x)|x^2", '|'))});
    for (std::size_t i = 0; i < delicate.size(); i += 3)
      add({"-a", delicate[i], "-b", delicate.back(), "--demuestra", "-f", "sin(x) - x/2"});
  }
  return c;
}
std::vector<Case> rootcompare_cases(const Program &p) { return argument_cases(p, false); }
std::vector<Case> rootscan_cases(const Program &p) { return argument_cases(p, true); }

// Delicate values: where fun or Dfun is exactly 0 and exp(-x) overflows, in
// ascending order; Newton's two-cycle of the arctangent (it sends
// 1.3917452002707349 to its opposite exactly) with lower limits on and next to
// it, and where x * x overflows; roots of both Steffensen functions and where
// exp(-x) or x^3 overflows.
const char *const ROOTBENCH_DELICATE =
    "-1.7976931348623157e308 -1e308 -1e154 -745.2 -709.79 -709.78 -3 -2.6178666130668127 "
    "-1.4879620654981776 -0.3574029561813889 -4.9e-324 -0 0 1e-320 0.53983527690282007 3 1e154 "
    "1e308 1.7976931348623157e308";
const char *const ARC_DELICATE =
    "-1.3917452002707349 -1.3917452002707347 -1.3917452002707351 -1.3917452002707353 "
    "1.3917452002707349 1.391745200270735 2 1e300 1e-13 -1e-12 1e10 -1e154 1.34e154 -1.35e154 "
    "1e200";
const char *const STEFF_DELICATE = "0.53983527690282007 -0.6527036446661393 -1.4879620654981776 "
                                   "-2.8793852415718169 -710 -709.78 1e103 1e154 -1e154 1e10 -1e10";
const char *const ARC_FIRST = "Elije el intervalo en el cual comprobaremos la existencia\n";
const char *const STEFF_FIRST =
    "Introduzca el valor aproximado(con todas las cifras decimales conocidas)\n";
const Program PROGRAMS[] = {
    {"rootbench", "lrpnm", "Introduzca extremos del intervalo [a,b]\n", ROOTBENCH_DELICATE,
     rootbench_model, rootbench_cases},
    {"arcroot", "lr", ARC_FIRST, ARC_DELICATE, exercise_model, nullptr},
    {"arcprobe", "lr", ARC_FIRST, ARC_DELICATE, exercise_model, nullptr},
    {"steffexp", "s", STEFF_FIRST, STEFF_DELICATE, exercise_model, nullptr},
    {"steffcubic", "s", STEFF_FIRST, STEFF_DELICATE, exercise_model, nullptr},
    {"rootcompare", "", "", ROOTBENCH_DELICATE, nullptr, rootcompare_cases},
    {"rootscan", "", "", ROOTBENCH_DELICATE, nullptr, rootscan_cases},
};

// --help and --version first, then every other case once. A typed iteration
// limit above 1000 could make long runs (a row per iteration), and is dropped.
std::vector<Case> make_cases(const Program &p) {
  std::vector<Case> cases{{Kind::Help, {"--help"}, ""}, {Kind::Help, {"--version"}, ""}};
  if (*p.fields != '\0')
    for (std::string &s : hostile_inputs(p)) cases.push_back({Kind::Input, {}, std::move(s)});
  for (Strings &args : hostile_options()) cases.push_back({Kind::Usage, std::move(args), ""});
  if (p.special != nullptr)
    for (Case &c : p.special(p)) cases.push_back(std::move(c));
  const std::size_t limit = std::string(p.fields).find('n');
  std::set<std::pair<Strings, std::string>> seen;
  const auto dropped = [&](const Case &c) {
    const Read r = read_fields(c.input, p.fields);
    return (limit < r.values.size() && r.values[limit] > 1000) ||
           !seen.insert({c.args, c.input}).second;
  };
  cases.erase(std::remove_if(cases.begin(), cases.end(), dropped), cases.end());
  return cases;
}

struct Outcome {
  bool hung = false;
  int wait_status = 0;
  std::string out, err;
};
[[noreturn]] void die(const char *what) {
  std::perror(what);
  std::exit(2);
}
std::string contents(FILE *f) {
  std::string s;
  char buf[65536];
  std::rewind(f);
  for (std::size_t got; (got = std::fread(buf, 1, sizeof buf, f)) > 0;) s.append(buf, got);
  std::fclose(f);
  return s;
}

// Runs path with args, its input and both outputs in temporary files, and
// kills it at the deadline.
Outcome run(const char *path, const Strings &args, const std::string &input) {
  FILE *files[3] = {std::tmpfile(), std::tmpfile(), std::tmpfile()};
  if (std::find(files, files + 3, nullptr) != files + 3 ||
      std::fwrite(input.data(), 1, input.size(), files[0]) != input.size() ||
      std::fseek(files[0], 0, SEEK_SET) != 0)
    die("temporary file");
  std::vector<char *> argv{const_cast<char *>(path)};
  for (const std::string &a : args) argv.push_back(const_cast<char *>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) die("fork");
  if (pid == 0) {
    for (int fd = 0; fd < 3; ++fd) dup2(fileno(files[fd]), fd);
    for (FILE *f : files) close(fileno(f));
    execv(path, argv.data());
    _exit(127);
  }
  std::fclose(files[0]);
  Outcome r;
  // Readable once the program has ended (glibc 2.36 declares pidfd_open
  // without C linkage).
  pollfd ended{static_cast<int>(syscall(SYS_pidfd_open, pid, 0)), POLLIN, 0};
  if (ended.fd < 0) die("pidfd_open");
  const int deadline = std::getenv("ASAN_OPTIONS") != nullptr ? DEADLINE_SANITIZED_MS : DEADLINE_MS;
  r.hung = poll(&ended, 1, deadline) == 0;
  if (r.hung) kill(pid, SIGKILL);
  close(ended.fd);
  if (waitpid(pid, &r.wait_status, 0) < 0) die("waitpid");
  r.out = contents(files[1]);
  r.err = contents(files[2]);
  return r;
}

// Standard error without the warning about a typed f', a line of its own
// that a run on a typed function may write before it goes on.
std::string without_warning(const std::string &err) {
  const std::string warning = "Aviso: f'(x) no parece la derivada de f: ";
  std::string kept;
  for (const std::string &line : split(err, '\n'))
    if (line.rfind(warning, 0) != 0) kept += line + "\n";
  return !err.empty() && err.back() != '\n' ? kept.substr(0, kept.size() - 1) : kept;
}

// rootcompare: its output and nothing on standard error (status 0), a
// refusal of one line naming --help or the clear expression error (4), one
// line on a picture not written (5); every message free of control
// characters; for rootscan, its output and two lines on the budget spent
// (11). The table's content is not judged here.
std::string compare_problem(int status, const std::string &out, const std::string &err,
                            bool clear_error, bool scan) {
  const auto lines = std::count(err.begin(), err.end(), '\n');
  const bool clean = std::none_of(err.begin(), err.end(), [](char ch) {
    return (ch >= 0 && ch < 0x20 && ch != '\n') || ch == 0x7F;
  });
  if (!clean) return "a control character in a message";
  if (status == 0)
    return !out.empty() && err.empty() ? "" : "status 0 without output or with messages";
  if (status == 4)
    return out.empty() && ((lines == 1 && err.find("--help") != std::string::npos) || clear_error)
               ? ""
               : "status 4 without one line naming --help or the clear expression error";
  if (status == 5)
    return out.empty() && lines == 1 && err.back() == '\n' ? "" : "status 5 without one line";
  if (status == 11 && scan)
    return !out.empty() && lines == 2 && err.rfind("rootscan: presupuesto", 0) == 0
               ? ""
               : "status 11 without output and the two lines on the budget";
  if (status == 14 && scan)
    return !out.empty() && lines == 2 && err.rfind("rootscan: ", 0) == 0 &&
                   (err.find(" sin demostrar\n") != std::string::npos ||
                    err.find(" desborda los dobles ") != std::string::npos)
               ? ""
               : "status 14 without output and the two lines on the pieces not proven or the "
                 "overflow";
  return "an undocumented status";
}

// What is wrong with the run, or an empty string. texts holds the outputs of
// --help and --version.
std::string problem(const Program &p, const std::set<std::string> &texts, const Case &c,
                    const Outcome &r) {
  if (r.hung) return "did not end within its deadline (a hang)";
  if (WIFSIGNALED(r.wait_status))
    return std::string("killed by signal: ") + strsignal(WTERMSIG(r.wait_status));
  const int status = WEXITSTATUS(r.wait_status);
  if (status == SANITIZER_STATUS) return "a sanitizer report";
  // The warnings a run may add: the word it could not read, a typed f' that is not f's.
  const std::string err = without_detail(without_warning(r.err));
  const auto lines = std::count(err.begin(), err.end(), '\n');
  const bool text = status == 0 && err.empty() && !r.out.empty();
  const bool refusal = status == 4 && r.out.empty() && !err.empty() && err.back() == '\n';
  // rootcompare writes in the locale's character set: the catalogue line in
  // Latin-1, UTF-8 or ASCII.
  const auto ends_with = [&err](const std::string &tail) {
    return err.size() > tail.size() + 1 &&
           err.compare(err.size() - tail.size(), tail.size(), tail) == 0;
  };
  const bool clear_error = refusal && lines == 2 &&
                           (ends_with(ARGUMENTO) || ends_with("Argumento no v\xC3\xA1lido\n") ||
                            ends_with("Argumento no valido\n"));
  if (c.kind == Kind::Help)
    return text && (*p.first_line == '\0' || r.out.rfind(p.first_line, 0) != 0)
               ? ""
               : "not a text of its own and status 0";
  if (c.kind == Kind::Usage)
    return (text && texts.count(r.out) != 0) ||
                   (refusal && lines == 1 && r.err.find("--help") != std::string::npos)
               ? ""
               : "not --help, --version or one line naming --help with status 4";
  if (c.kind == Kind::Compare || c.kind == Kind::Scan)
    return compare_problem(status, r.out, err, clear_error, c.kind == Kind::Scan);
  if (c.kind == Kind::BadExpression || (c.kind == Kind::Expression && clear_error))
    return clear_error ? "" : "not a context line and \"Argumento no v\xE1lido\" with status 4";
  if (c.kind == Kind::NotFinite && status != 9) return "a status other than 9";
  // A dialogue: on a typed function two lines name it first.
  std::size_t start = 0;
  for (int k = 0; c.kind != Kind::Input && k < 2; ++k) start = r.out.find('\n', start) + 1;
  if (start == 0 && c.kind != Kind::Input)
    return "neither the clear expression error nor lines naming the function";
  if (r.out.compare(start, std::strlen(p.first_line), p.first_line) != 0)
    return "standard output does not start with the first prompt";
  const Expected e = p.model(read_fields(c.input, p.fields));
  const bool fits = (status == e.status && err == e.err) ||
                    std::any_of(SEARCH_ENDINGS.begin(), SEARCH_ENDINGS.end(), [&](auto &end) {
                      return e.status < 0 && status == end.status && err == e.err + end.err;
                    });
  return fits ? "" : "status or standard error does not fit the values read";
}

// s quoted for the shell as $'...', shortened past limit bytes.
std::string quoted(const std::string &s, std::size_t limit) {
  std::string q = "$'";
  for (const char c : s.substr(0, limit)) {
    char oct[8];
    std::snprintf(oct, sizeof oct, "\\%03o", static_cast<unsigned>(static_cast<unsigned char>(c)));
    q += c >= 0x20 && c < 0x7F && c != '\'' && c != '\\' ? std::string(1, c) : oct;
  }
  return q +
         (s.size() > limit ? "'[... " + std::to_string(s.size() - limit) + " more bytes]" : "'");
}

void report(const Program &p, const char *path, std::size_t k, const Case &c, const Outcome &r,
            const std::string &what) {
  const std::string input = "hostile-" + std::string(p.name) + "-" + std::to_string(k) + ".in";
  std::ofstream(input, std::ios::binary) << c.input;
  const bool exited = WIFEXITED(r.wait_status) && !r.hung;
  std::cout << "FAIL " << p.name << " case " << k << ": " << what << "\n  "
            << (exited ? "exit status " + std::to_string(WEXITSTATUS(r.wait_status)) + ", " : "")
            << "reproduce: " << path;
  for (const std::string &a : c.args) std::cout << " " << quoted(a, 200);
  std::cout << " < " << input << "\n  stderr: " << quoted(r.err, 2000) << "\n  stdout ("
            << r.out.size() << " bytes): " << quoted(r.out, 300) << std::endl;
}

// The names of the files .NAME-XXXXXX in the working directory.
std::string leftovers(const std::string &name) {
  std::string found;
  DIR *dir = opendir(".");
  if (dir == nullptr) return found;
  for (const dirent *e = readdir(dir); e != nullptr; e = readdir(dir))
    if (std::strncmp(e->d_name, ("." + name + "-").c_str(), name.size() + 2) == 0)
      found += std::string(" ") + e->d_name;
  closedir(dir);
  return found;
}

} // namespace

int main(int argc, char **argv) {
  const Program *p = std::find_if(std::begin(PROGRAMS), std::end(PROGRAMS), [&](const Program &q) {
    return argc == 3 && std::strcmp(argv[1], q.name) == 0;
  });
  if (p == std::end(PROGRAMS)) {
    std::cerr << "usage: hostile_input PROGRAM PATH\n";
    return 2;
  }
  // The runs' temporary files never land on descriptors 0 to 2, output past
  // 16 MiB ends a program with SIGXFSZ, and a sanitizer report ends it with
  // SANITIZER_STATUS (appended to what the environment asks for).
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) < 0) open("/dev/null", O_RDWR);
  const rlimit size{16 << 20, 16 << 20};
  setrlimit(RLIMIT_FSIZE, &size);
  const std::string halt = ":halt_on_error=1:abort_on_error=0:print_stacktrace=1:exitcode=" +
                           std::to_string(SANITIZER_STATUS);
  const char *asan = std::getenv("ASAN_OPTIONS"), *ubsan = std::getenv("UBSAN_OPTIONS");
  setenv("UBSAN_OPTIONS", (std::string(ubsan != nullptr ? ubsan : "") + halt).c_str(), 1);
  const std::string asan_options = std::string(asan != nullptr ? asan : "") + halt;
  const std::vector<Case> cases = make_cases(*p);
  std::set<std::string> texts;
  int failures = 0;
  std::size_t k = 0;
  for (; k < cases.size() && failures < 5; ++k) {
    // The leak check at exit costs twice the rest of a sanitized run: every
    // 16th run makes it.
    setenv("ASAN_OPTIONS", (asan_options + (k % 16 == 0 ? "" : ":detect_leaks=0")).c_str(), 1);
    const Outcome r = run(argv[2], cases[k].args, cases[k].input);
    if (cases[k].kind == Kind::Help) texts.insert(r.out);
    const std::string what = problem(*p, texts, cases[k], r);
    if (!what.empty()) report(*p, argv[2], k, cases[k], r, what);
    failures += what.empty() ? 0 : 1;
  }
  // No picture's temporary file is left behind.
  const std::string left = leftovers(p->name);
  if (!left.empty()) {
    std::cout << "FAIL " << p->name << ": temporary files left: " << left << "\n";
    ++failures;
  }
  std::cout << p->name << ": " << k << " of " << cases.size() << " runs, " << failures << " failed"
            << (failures >= 5 ? " (stopped)" : "") << "\n";
  return failures == 0 ? 0 : 1;
}
