// pty_test [--local] [--columns N] PROGRAM CASE: runs PROGRAM with the arguments in
// CASE.args (one a line, optional) and standard input from CASE.in, once
// with standard output on a pseudo-terminal and standard error on a pipe,
// once the other way round, once with both on pipes, under several locales,
// one of them named but not generated. CASE.out and CASE.err (absent:
// empty) hold the texts as Latin-1 bytes, CASE.status the exit status
// (absent: 0). Without --local, the pipes get exactly those bytes; the
// terminal gets them as UTF-8 when the locale's character set is UTF-8 and
// unchanged otherwise. With --local, pipes and terminal alike get them in the
// locale's character set: UTF-8, Latin-1, or for C an ASCII letter for each
// Latin-1 one (CASE.ascii.out and CASE.ascii.err when present, else any
// printable ASCII byte in its place). The terminal shows each "\n" as
// "\r\n" (its output processing). One expected stream at least must hold a
// byte >= 0x80, or the case would prove nothing. With --columns N the
// terminal is N columns wide (else it does not say, which programs take as
// 80) and shows standard error as CASE.N.err: messages wrapped to its width,
// where the pipes get each on one line.
#include <fcntl.h>
#include <langinfo.h>
#include <locale.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

const int DEADLINE_MS = 20000;

std::string read_file(const std::string &path, bool required) {
  std::ifstream in(path, std::ios::binary);
  if (!in && required) std::cerr << "cannot read " << path << "\n";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

enum class Charset { latin1, utf8, ascii };

// Latin-1 bytes in the given character set; for ASCII, from the case's own
// file when there is one, else as Latin-1 for the check in fits().
std::string encoded(const std::string &latin1, const std::string &ascii, Charset set) {
  if (set == Charset::ascii && !ascii.empty()) return ascii;
  if (set != Charset::utf8) return latin1;
  std::string text;
  for (const char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x80) {
      text += static_cast<char>(0xC0U | (c >> 6U));
      text += static_cast<char>(0x80U | (c & 0x3FU));
    } else {
      text += ch;
    }
  }
  return text;
}

// What the terminal shows for bytes written to it.
std::string on_terminal(const std::string &bytes) {
  std::string shown;
  for (const char ch : bytes) {
    if (ch == '\n') shown += '\r';
    shown += ch;
  }
  return shown;
}

// got is want, or, for ASCII without a file of its own, want with each
// byte >= 0x80 replaced by one printable ASCII byte.
bool fits(const std::string &got, const std::string &want, bool any_ascii) {
  if (got == want) return true;
  if (!any_ascii || got.size() != want.size()) return false;
  for (std::size_t i = 0; i < got.size(); ++i) {
    const auto g = static_cast<unsigned char>(got[i]), w = static_cast<unsigned char>(want[i]);
    if (w < 0x80 ? g != w : g < 0x20 || g >= 0x7F) return false;
  }
  return true;
}

struct Run {
  std::string terminal, out, err; // bytes read from the pty and the two pipes
  int status = -1;
};

// A locale as the environment names it: variable=value, the other two of
// LC_ALL, LC_CTYPE, LANG unset.
struct Locale {
  std::string variable, name;
  Charset set;
};

// Runs the program under the locale; tty_fd (1, 2, or 0 for none) stays on
// the pseudo-terminal, the other output streams go to pipes.
bool run(std::vector<char *> argv, const std::string &input, const Locale &locale, int tty_fd,
         unsigned short columns, Run &result) {
  int pipes[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
  for (int fd = 1; fd <= 2; ++fd)
    if (fd != tty_fd && pipe(pipes[fd]) != 0) return false;
  int master = -1;
  winsize size{};
  size.ws_row = 24;
  size.ws_col = columns;
  const pid_t pid = forkpty(&master, nullptr, nullptr, columns > 0 ? &size : nullptr);
  if (pid < 0) return false;
  if (pid == 0) {
    const int in = open(input.c_str(), O_RDONLY);
    if (in < 0 || dup2(in, 0) < 0) _exit(126);
    for (int fd = 1; fd <= 2; ++fd)
      if (fd != tty_fd && dup2(pipes[fd][1], fd) < 0) _exit(126);
    for (const char *variable : {"LC_ALL", "LC_CTYPE", "LANG"}) unsetenv(variable);
    setenv(locale.variable.c_str(), locale.name.c_str(), 1);
    argv.push_back(nullptr);
    execv(argv[0], argv.data());
    _exit(127);
  }
  std::vector<pollfd> open_fds{{master, POLLIN, 0}};
  std::string *sinks[3] = {&result.terminal, &result.out, &result.err};
  std::vector<std::string *> sink_of{sinks[0]};
  for (int fd = 1; fd <= 2; ++fd) {
    if (fd == tty_fd) continue;
    close(pipes[fd][1]);
    open_fds.push_back({pipes[fd][0], POLLIN, 0});
    sink_of.push_back(sinks[fd]);
  }
  while (!open_fds.empty()) {
    if (poll(open_fds.data(), open_fds.size(), DEADLINE_MS) <= 0) {
      kill(pid, SIGKILL);
      std::cerr << "no end within " << DEADLINE_MS << " ms\n";
      break;
    }
    for (std::size_t i = open_fds.size(); i-- > 0;) {
      if (open_fds[i].revents == 0) continue;
      char buffer[4096];
      const ssize_t n = read(open_fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        sink_of[i]->append(buffer, static_cast<std::size_t>(n));
        continue;
      }
      // End of a pipe, or EIO once no process has the terminal open. The
      // master stays open until the child is gone: closing it would hang up
      // the child's controlling terminal.
      if (open_fds[i].fd != master) close(open_fds[i].fd);
      open_fds.erase(open_fds.begin() + static_cast<std::ptrdiff_t>(i));
      sink_of.erase(sink_of.begin() + static_cast<std::ptrdiff_t>(i));
    }
  }
  int status = 0;
  const bool reaped = waitpid(pid, &status, 0) == pid;
  close(master);
  if (!reaped) return false;
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return true;
}

std::string shown(const std::string &bytes) {
  std::ostringstream s;
  for (const char ch : bytes) {
    const auto c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '\\')
      s << ch;
    else
      s << "\\x"
        << "0123456789abcdef"[c >> 4U] << "0123456789abcdef"[c & 0xFU];
  }
  return s.str();
}

int failures = 0;

void expect(const std::string &what, const std::string &got, const std::string &want,
            bool any_ascii = false) {
  if (fits(got, want, any_ascii)) return;
  ++failures;
  std::cerr << what << "\n  got:  " << shown(got) << "\n  want: " << shown(want) << "\n";
}

// Installed locale with the given character set, and a decimal comma if
// asked; the first of the candidates, or empty.
std::string find_locale(const std::vector<const char *> &candidates, const char *codeset,
                        bool comma) {
  for (const char *name : candidates) {
    const locale_t l = newlocale(LC_ALL_MASK, name, nullptr);
    if (l == nullptr) continue;
    const bool fits = std::string(nl_langinfo_l(CODESET, l)) == codeset &&
                      (!comma || std::string(nl_langinfo_l(RADIXCHAR, l)) == ",");
    freelocale(l);
    if (fits) return name;
  }
  return "";
}

} // namespace

// The case's arguments, one a line.
std::vector<std::string> arguments(const std::string &base) {
  std::istringstream lines(read_file(base + ".args", false));
  std::vector<std::string> args;
  for (std::string line; std::getline(lines, line);) args.push_back(line);
  return args;
}

int main(int argc, char **argv) {
  std::vector<std::string> options(argv + 1, argv + argc);
  const bool local = !options.empty() && options.front() == "--local";
  if (local) options.erase(options.begin());
  unsigned short columns = 0;
  if (options.size() == 4 && options.front() == "--columns") {
    columns = static_cast<unsigned short>(std::stoi(options[1]));
    options.erase(options.begin(), options.begin() + 2);
  }
  if (options.size() != 2) {
    std::cerr << "usage: pty_test [--local] [--columns N] PROGRAM CASE\n";
    return 2;
  }
  const std::string base = argv[argc - 1];
  std::vector<std::string> args = arguments(base);
  std::vector<char *> program_argv{argv[argc - 2]};
  for (std::string &arg : args) program_argv.push_back(arg.data());
  const std::string input = base + ".in", out = read_file(base + ".out", true),
                    err = read_file(base + ".err", false);
  const std::string tty_err =
      columns > 0 ? read_file(base + "." + std::to_string(columns) + ".err", true) : err;
  const std::string ascii_out = read_file(base + ".ascii.out", false),
                    ascii_err = read_file(base + ".ascii.err", false);
  const std::string status_text = read_file(base + ".status", false);
  const int status = status_text.empty() ? 0 : std::stoi(status_text);
  const auto latin1 = [](const std::string &s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return (c & 0x80) != 0; });
  };
  if (!latin1(out) && !latin1(err)) {
    std::cerr << base << ": .out or .err must hold a Latin-1 letter\n";
    return 1;
  }
  if (find_locale({"C.UTF-8", "C.utf8"}, "UTF-8", false).empty()) {
    std::cerr << "locale C.UTF-8 is not installed\n";
    return 1;
  }
  const char *ungenerated = "xx_XX.UTF-8";
  if (newlocale(LC_ALL_MASK, ungenerated, nullptr) != nullptr) {
    std::cerr << "locale " << ungenerated << " should not exist\n";
    return 1;
  }
  std::vector<Locale> locales{{"LC_ALL", "C.UTF-8", Charset::utf8},
                              {"LC_ALL", "C", Charset::ascii},
                              {"LC_ALL", ungenerated, Charset::utf8},
                              {"LANG", "xx_XX.utf8", Charset::utf8},
                              {"LANG", "", Charset::ascii}};
  const std::string comma =
      find_locale({"es_ES.UTF-8", "es_ES.utf8", "de_DE.UTF-8", "de_DE.utf8"}, "UTF-8", true);
  const std::string latin1_locale =
      find_locale({"es_ES.ISO-8859-1", "es_ES", "de_DE.ISO-8859-1", "de_DE"}, "ISO-8859-1", false);
  for (const auto &[name, set, what] :
       {std::tuple{comma, Charset::utf8, "UTF-8 with decimal comma"},
        std::tuple{latin1_locale, Charset::latin1, "ISO-8859-1"}}) {
    if (name.empty())
      std::cout << "no " << what << " locale installed: not tried\n";
    else
      locales.push_back({"LC_ALL", name, set});
  }

  for (const auto &locale : locales) {
    const std::string named = locale.variable + "=" + locale.name;
    std::cout << named << "\n";
    // Today's rule: Latin-1 into pipes, UTF-8 on UTF-8 terminals only.
    const Charset pipes = local ? locale.set : Charset::latin1;
    const Charset terminal = local || locale.set == Charset::utf8 ? locale.set : Charset::latin1;
    const bool any_ascii = local && locale.set == Charset::ascii;
    for (const int tty_fd : {0, 1, 2}) {
      Run r;
      const std::string where = named + ", terminal on fd " + std::to_string(tty_fd) + ": ";
      if (!run(program_argv, input, locale, tty_fd, columns, r)) {
        std::cerr << where << "cannot run " << program_argv[0] << "\n";
        return 1;
      }
      expect(where + "exit status", std::to_string(r.status), std::to_string(status));
      const std::string on_tty = tty_fd == 1 ? out : tty_err,
                        ascii_tty = tty_fd == 1 ? ascii_out : ascii_err;
      expect(where + "terminal", r.terminal,
             tty_fd == 0 ? "" : on_terminal(encoded(on_tty, ascii_tty, terminal)),
             any_ascii && ascii_tty.empty());
      if (tty_fd != 1)
        expect(where + "standard output pipe", r.out, encoded(out, ascii_out, pipes),
               any_ascii && ascii_out.empty());
      if (tty_fd != 2)
        expect(where + "standard error pipe", r.err, encoded(err, ascii_err, pipes),
               any_ascii && ascii_err.empty());
    }
  }
  std::cout << (failures == 0 ? "all runs as expected\n" : "FAILED\n");
  return failures == 0 ? 0 : 1;
}
