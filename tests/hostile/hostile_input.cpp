// hostile_input PROGRAM PATH [--dump K]: runs PATH, one of the suite's
// programs, on a few hundred standard inputs generated from a fixed seed, and
// checks how every run ends: within 5 s, by exit and not by a signal, with a
// documented status and standard error (a sanitizer report is neither), the
// first prompt first on standard output, and a status that fits the values
// read. --dump K writes input K, to feed it to the program by hand.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
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
#include <utility>
#include <vector>

namespace {

struct Program {
  const char *name;
  std::size_t fields;     // numbers read from standard input
  const char *first_line; // first line of standard output
  const char *delicate;   // values where the arithmetic is fragile
};

// In ascending order: pairs of them make intervals. fun or Dfun is exactly 0
// at some; exp(-x) overflows below -709.78.
const char *const ROOTBENCH_DELICATE =
    "-1.7976931348623157e308 -1e308 -1e154 -745.2 -709.79 -709.78 -3 -2.6178666130668127 "
    "-1.4879620654981776 -0.3574029561813889 -4.9e-324 -0 0 1e-320 0.53983527690282007 3 1e154 "
    "1e308 1.7976931348623157e308";
// Around Newton's two-cycle of the arctangent, and where x * x overflows.
const char *const ARC_DELICATE = "1.3917452002707349 -1.3917452002707349 -1.3917452002707347 "
                                 "-1.3917452002707353 1e-13 -1e-12 1e10 -1e154 1.34e154 -1.35e154 "
                                 "1e200";
// Roots of both objective functions, and where exp(-x) or x^3 overflows.
const char *const STEFF_DELICATE = "0.53983527690282007 -0.6527036446661393 -1.4879620654981776 "
                                   "-2.8793852415718169 -710 -709.78 1e103 1e154 -1e154 1e10 -1e10";
const char *const ARC_FIRST = "Elije el intervalo en el cual comprobaremos la existencia\n";
const char *const STEFF_FIRST =
    "Introduzca el valor aproximado(con todas las cifras decimales conocidas)\n";
const Program PROGRAMS[] = {
    {"rootbench", 5, "Introduzca extremos del intervalo [a,b]\n", ROOTBENCH_DELICATE},
    {"arcroot", 2, ARC_FIRST, ARC_DELICATE},
    {"arcprobe", 2, ARC_FIRST, ARC_DELICATE},
    {"steffexp", 1, STEFF_FIRST, STEFF_DELICATE},
    {"steffcubic", 1, STEFF_FIRST, STEFF_DELICATE}};

// An input that once exposed a fault goes here, with the program's name: these
// run before the generated inputs, so that the fault stays fixed.
const std::vector<std::pair<std::string, std::string>> REGRESSIONS = {};

const int SANITIZER_STATUS = 86;                 // set through ASAN_OPTIONS and UBSAN_OPTIONS
const std::size_t BIG = std::size_t{100} * 1024; // length of the very long lines

const char *const EXERCISE_ERROR = "Valor no valido: se esperaba un numero\n";

// rootbench's fatal endings: a context line, then the catalogue line.
struct Ending {
  int status;
  const char *catalogue;
  const char *contexts[4];
};
const char *const BISEC = "error en bisecIni";
const char *const RFALSI = "error en rfalsiIni";
const char *const ITERACION = "error en la iteraci\xF3n";
const Ending ENDINGS[] = {
    {9,
     "Hay un problema con la funci\xF3n del usuario",
     {BISEC, RFALSI, "error en newtonIni", ITERACION}},
    {11,
     "Se ha excedido el n\xFAmero m\xE1ximo de iteraciones",
     {"excede n\xFAmero m\xE1ximo de iteraciones"}},
    {12, "Intento de dividir por cero", {ITERACION}},
    {13, "Tolerancia inv\xE1lida", {"La precisi\xF3n relativa requerida es negativa"}},
    {27, "Ra\xEDz no acotada en intervalo", {BISEC, RFALSI}},
};

// Tables of tokens, written as one string each, split at the spaces.
std::vector<std::string> words(const char *text) {
  std::istringstream in(text);
  std::vector<std::string> w;
  for (std::string t; in >> t;) w.push_back(t);
  return w;
}
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
// Odd spellings of rootbench's integers.
const std::vector<std::string> ODD_INTS = words("0 -1 -0 1.5 3abc 4 +3 03 1e3 0x10 1001 2e0");
const char *const SEPARATORS[] = {" ",    " ",      "\n", "\n", "\t",
                                  "\r\n", "  \n  ", "\v", "\f", "\n\n\n"};
const char NUMBERISH[] = "0123456789+-.,eEpPxXnNaAiIfF_/ ";

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

// len bytes, numberish percent of them from NUMBERISH, the rest arbitrary.
std::string junk(std::size_t len, unsigned numberish) {
  std::string s(len, ' ');
  for (char &c : s)
    c = below(100) < numberish ? NUMBERISH[below(sizeof NUMBERISH - 1)]
                               : static_cast<char>(below(256));
  return s;
}

// A value the program expects in field i.
std::string realistic(const Program &p, std::size_t i) {
  if (p.fields == 1) return milli(between(-10000, 10000));
  if (i == 0) return milli(between(-3000, 0));
  if (i == 1) return milli(between(0, 3000));
  if (i == 2) return "1e-" + std::to_string(between(0, 17));
  if (i == 3) return std::to_string(between(1, 60));
  return std::to_string(between(1, 3));
}

std::vector<std::string> plain(const Program &p) {
  std::vector<std::string> f;
  for (std::size_t i = 0; i < p.fields; ++i) f.push_back(realistic(p, i));
  return f;
}

// Any value for field i: mostly realistic, otherwise edgy or broken.
std::string hostile(const Program &p, const std::vector<std::string> &delicate, std::size_t i) {
  const std::uint64_t r = below(100);
  if (r < 50) return realistic(p, i);
  if (r < 62) return pick(EDGES);
  if (r < 70) return pick(delicate);
  if (r < 76) return milli(between(-2000000, -709783)); // exp(-x) overflows
  if (r < 84 && p.fields == 5 && i >= 3) return pick(ODD_INTS);
  // Not realistic(p, i) + pick(JUNK): the operands of + are unsequenced.
  if (r < 92) return realistic(p, i).append(pick(JUNK));
  return junk(below(12) + 1, 80);
}

std::string join(const std::vector<std::string> &f, bool newline) {
  std::string s;
  for (std::size_t i = 0; i < f.size(); ++i) {
    if (i > 0) s += pick(SEPARATORS);
    s += f[i];
  }
  return newline ? s + "\n" : s;
}

// A plain input with field i replaced by value.
std::string with_field(const Program &p, std::size_t i, const std::string &value) {
  std::vector<std::string> f = plain(p);
  f[i] = value;
  return join(f, true);
}

// What rootbench's five variables hold after reading input: like rootbench,
// a value is stored only when its extraction succeeds, and once the stream
// has failed every later read fails too.
struct Values {
  double a = 0, b = 3, epsrel = 0.01;
  int maxiter = 100, metodo = 1;
};
Values read_rootbench(const std::string &input) {
  std::istringstream in(input);
  Values v;
  auto lee = [&in](auto &x) {
    std::remove_reference_t<decltype(x)> y{};
    if (in >> y) x = y;
  };
  lee(v.a);
  lee(v.b);
  lee(v.epsrel);
  lee(v.maxiter);
  lee(v.metodo);
  return v;
}

std::vector<std::string> make_cases(const Program &p) {
  std::vector<std::string> cases;
  for (const auto &r : REGRESSIONS)
    if (r.first == p.name) cases.push_back(r.second);
  std::set<std::string> seen(cases.begin(), cases.end());
  const bool rb = p.fields == 5;
  // rootbench writes a row per iteration: inputs with a larger limit than
  // 1000 could make long runs, and are dropped.
  auto add = [&](const std::string &s) {
    if (rb && read_rootbench(s).maxiter > 1000) return;
    if (seen.insert(s).second) cases.push_back(s);
  };
  const std::vector<std::string> delicate = words(p.delicate);

  // End of input at every prompt: well-formed inputs cut after every token,
  // with and without the separator that follows it.
  for (int base = 0; base < 8; ++base) {
    const std::vector<std::string> f = plain(p);
    for (std::size_t k = 0; k <= p.fields; ++k) {
      const std::vector<std::string> head(f.begin(), f.begin() + static_cast<long>(k));
      add(join(head, false));
      add(join(head, true));
    }
  }

  // Every edge value in every position, the others realistic.
  for (const std::string &edge : EDGES)
    for (std::size_t i = 0; i < p.fields; ++i) add(with_field(p, i, edge));

  if (rb) {
    // Points where fun or Dfun is exactly 0 in double arithmetic, as one or
    // both ends of the interval, with each method.
    for (const char *z : {"0.53983527690282007", "-0.3574029561813889", "-1.4879620654981776",
                          "-2.6178666130668127"})
      for (int shape = 0; shape < 3; ++shape)
        for (const char *metodo : {"1", "2", "3"})
          for (const char *epsrel : {"1e-8", "0"})
            add(std::string(shape == 2 ? "-3" : z) + " " + (shape == 1 ? "3" : z) + " " + epsrel +
                " 50 " + metodo + "\n");
    // Every interval between two delicate values, where exp(-x), 2x^2, the
    // products of the sign tests and the midpoint overflow or underflow.
    static const char *const epsrels[] = {"0", "1e-8", "1", "1e300"};
    static const char *const limits[] = {"1000", "50", "0", "-1"};
    for (std::size_t i = 0; i < delicate.size(); ++i)
      for (std::size_t j = i; j < delicate.size(); ++j)
        add(delicate[i] + " " + delicate[j] + " " + epsrels[(i + j) % 4] + " " + limits[i % 4] +
            " " + std::to_string(j % 3 + 1) + "\n");
  } else if (p.fields == 2) {
    // Newton's map of the arctangent sends 1.3917452002707349 to its
    // opposite exactly: lower limits on and next to the cycle.
    for (const char *x0 : {"-1.3917452002707349", "-1.3917452002707347", "-1.3917452002707351",
                           "-1.3917452002707353", "1.3917452002707349"})
      for (const char *x1 : {"1.3917452002707349", "1.391745200270735", "2", "1e300"})
        add(std::string(x0) + "\n" + x1 + "\n");
  }

  // Fields drawn from every pool, sometimes with a token more or cut short.
  for (int k = 0; k < (rb ? 260 : 180); ++k) {
    std::vector<std::string> f;
    for (std::size_t i = 0; i < p.fields; ++i) f.push_back(hostile(p, delicate, i));
    if (below(10) == 0) f.push_back(hostile(p, delicate, 0));
    std::string s = join(f, below(5) != 0);
    if (below(12) == 0) s.resize(below(s.size() + 1));
    add(s);
  }

  // Arbitrary bytes, number-like or not, and NUL bytes.
  for (int k = 0; k < 60; ++k) {
    const unsigned numberish = below(2) == 0 ? 85 : 0; // one draw per statement
    add(junk(below(81), numberish));
  }
  const std::string nul(1, '\0');
  for (const std::string &s :
       {nul, nul + "\n" + nul + "\n", "1" + nul + "2\n3\n", std::string(1000, '\0'),
        join(plain(p), true) + nul, nul + join(plain(p), true)})
    add(s);

  // Lines of about 100 KB, first in the input or as leading zeros anywhere.
  for (const std::string &head :
       {std::string(BIG, '9'), "-" + std::string(BIG, '7'), "0." + std::string(BIG, '0') + "1",
        "1." + std::string(BIG, '5'), "1e" + std::string(BIG, '9'), std::string(BIG, ' '),
        std::string(BIG, '\n'), std::string(BIG, '-'), "1" + std::string(BIG, 'x'), junk(BIG, 0)})
    add(with_field(p, 0, head));
  for (std::size_t i = 0; i < p.fields; ++i) add(with_field(p, i, std::string(BIG, '0') + "2"));
  return cases;
}

struct Outcome {
  std::string killed; // why the harness killed the program, if it did
  int wait_status = 0;
  std::string out, err;
};

[[noreturn]] void die(const char *what) {
  std::perror(what);
  std::exit(2);
}

void close_fd(int &fd) {
  if (fd >= 0) close(fd);
  fd = -1;
}

// Runs path with input on standard input. The input is written while both
// outputs are drained, so that no pipe fills up and blocks either side.
Outcome run(const char *path, const std::string &input) {
  using clock = std::chrono::steady_clock;
  const auto deadline = clock::now() + std::chrono::seconds(5);
  Outcome r;
  // Standard input, output and error; the child's ends are pipes[i][i == 0 ? 0 : 1].
  int pipes[3][2];
  for (auto &ends : pipes)
    if (pipe2(ends, O_CLOEXEC) != 0) die("pipe2");
  const pid_t pid = fork();
  if (pid < 0) die("fork");
  if (pid == 0) {
    for (int i = 0; i < 3; ++i) dup2(pipes[i][i == 0 ? 0 : 1], i); // not close-on-exec
    signal(SIGPIPE, SIG_DFL); // an ignored signal would stay ignored after exec
    execl(path, path, static_cast<char *>(nullptr));
    std::perror("hostile_input: execl");
    _exit(127);
  }
  for (int i = 0; i < 3; ++i) close(pipes[i][i == 0 ? 0 : 1]);
  pollfd fds[3] = {{pipes[0][1], POLLOUT, 0}, {pipes[1][0], POLLIN, 0}, {pipes[2][0], POLLIN, 0}};
  std::string *sinks[3] = {nullptr, &r.out, &r.err};
  for (const pollfd &f : fds) fcntl(f.fd, F_SETFL, O_NONBLOCK);
  std::size_t written = 0;
  if (input.empty()) close_fd(fds[0].fd);
  char buf[65536];
  while (fds[1].fd >= 0 || fds[2].fd >= 0) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - clock::now()).count();
    if (left <= 0) r.killed = "did not end within 5 s (a hang)";
    if (r.out.size() + r.err.size() > (std::size_t{16} << 20)) r.killed = "wrote more than 16 MiB";
    if (!r.killed.empty()) break;
    const int ready = poll(fds, 3, static_cast<int>(left));
    if (ready < 0 && errno != EINTR) die("poll");
    if (ready <= 0) continue;
    if (fds[0].fd >= 0 && fds[0].revents != 0) {
      const ssize_t w = write(fds[0].fd, input.data() + written, input.size() - written);
      if (w > 0) written += static_cast<std::size_t>(w);
      // EPIPE (SIGPIPE is ignored) means the program stopped reading.
      if (written == input.size() || (w < 0 && errno != EAGAIN && errno != EINTR))
        close_fd(fds[0].fd);
    }
    for (int i = 1; i < 3; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      const ssize_t got = read(fds[i].fd, buf, sizeof buf);
      if (got > 0)
        sinks[i]->append(buf, static_cast<std::size_t>(got));
      else if (got == 0 || (errno != EAGAIN && errno != EINTR))
        close_fd(fds[i].fd);
    }
  }
  for (pollfd &f : fds) close_fd(f.fd);
  // Both outputs are closed: the program should be ending.
  pid_t done = 0;
  while (r.killed.empty() && (done = waitpid(pid, &r.wait_status, WNOHANG)) == 0) {
    if (clock::now() >= deadline) r.killed = "did not end within 5 s (a hang)";
    poll(nullptr, 0, 1);
  }
  if (done < 0) die("waitpid");
  if (!r.killed.empty() && kill(pid, SIGKILL) == 0) waitpid(pid, &r.wait_status, 0);
  return r;
}

// Whether status and standard error make one of the program's documented endings.
bool documented(const Program &p, int status, const std::string &err) {
  if (p.fields != 5) return status == 0 ? err.empty() : status == 1 && err == EXERCISE_ERROR;
  if (status == 0 || status == 4) return err.empty();
  for (const Ending &e : ENDINGS)
    for (const char *context : e.contexts)
      if (e.status == status && context != nullptr &&
          err == std::string(context) + "\n" + e.catalogue + "\n")
        return true;
  return false;
}

// What is wrong with the run, or an empty string.
std::string problem(const Program &p, const std::string &input, const Outcome &r) {
  if (!r.killed.empty()) return r.killed;
  if (WIFSIGNALED(r.wait_status))
    return std::string("killed by signal: ") + strsignal(WTERMSIG(r.wait_status));
  const int status = WEXITSTATUS(r.wait_status);
  const std::string ended = "exit status " + std::to_string(status);
  if (status == SANITIZER_STATUS) return ended + ": a sanitizer report";
  if (r.out.compare(0, std::strlen(p.first_line), p.first_line) != 0)
    return "standard output does not start with the first prompt";
  if (!documented(p, status, r.err))
    return ended + ": undocumented, or standard error is not its text";
  bool agrees = true; // whether the status fits the values the input gives
  if (p.fields == 5) {
    const Values v = read_rootbench(input);
    const bool bad_metodo = v.metodo < 1 || v.metodo > 3;
    const int expected = v.a > v.b ? 4 : v.epsrel < 0 ? 13 : bad_metodo ? 4 : -1;
    agrees = expected >= 0 ? status == expected : status != 4 && status != 13;
  } else {
    std::istringstream in(input);
    double x = 0;
    for (std::size_t i = 0; i < p.fields; ++i) in >> x; // a failure is sticky
    agrees = (status == 0) == !in.fail();
  }
  return agrees ? "" : ended + ", which does not fit the values read";
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
  const std::vector<std::string> cases = make_cases(*p);
  if (dump) {
    const unsigned long k = std::strtoul(argv[4], nullptr, 10);
    if (k < cases.size()) std::cout << cases[k];
    return k < cases.size() ? 0 : 2;
  }

  // No pipe may land on descriptors 0 to 2, and a program that stops
  // reading must not kill the harness.
  for (int fd = 0; fd <= 2; ++fd)
    if (fcntl(fd, F_GETFD) < 0) open("/dev/null", O_RDWR);
  signal(SIGPIPE, SIG_IGN);
  // Appended to what the environment asks for: a sanitizer report ends the
  // program with SANITIZER_STATUS. The leak check at exit costs twice the
  // rest of a sanitized run, so only every 8th run makes it.
  const std::string halt = ":halt_on_error=1:abort_on_error=0:print_stacktrace=1:exitcode=" +
                           std::to_string(SANITIZER_STATUS);
  const char *asan = std::getenv("ASAN_OPTIONS"), *ubsan = std::getenv("UBSAN_OPTIONS");
  const std::string asan_options = std::string(asan != nullptr ? asan : "") + halt;
  setenv("UBSAN_OPTIONS", (std::string(ubsan != nullptr ? ubsan : "") + halt).c_str(), 1);

  const auto start = std::chrono::steady_clock::now();
  std::size_t k = 0;
  int failures = 0;
  for (; k < cases.size() && failures < 5; ++k) {
    setenv("ASAN_OPTIONS", (asan_options + (k % 8 == 0 ? "" : ":detect_leaks=0")).c_str(), 1);
    const Outcome r = run(path, cases[k]);
    const std::string what = problem(*p, cases[k], r);
    if (what.empty()) continue;
    ++failures;
    std::cout << "FAIL " << p->name << " case " << k << ": " << what << "\n  input ("
              << cases[k].size() << " bytes): '" << escape(cases[k], 600) << "'\n  reproduce: ";
    if (cases[k].size() <= 600)
      std::cout << "printf '%b' '" << escape(cases[k], 600) << "' | ";
    else
      std::cout << "hostile_input " << p->name << " " << path << " --dump " << k << " | ";
    std::cout << path << "\n  stderr: '" << escape(r.err, 2000) << "'\n  stdout (" << r.out.size()
              << " bytes): '" << escape(r.out, 300) << "'\n"
              << std::flush;
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::cout << p->name << ": " << k << " of " << cases.size() << " runs, " << failures << " failed"
            << (failures >= 5 ? " (stopped)" : "") << ", " << seconds << " s\n";
  return failures == 0 ? 0 : 1;
}
