// pty_test PROGRAM CASE: runs PROGRAM with standard input from CASE.in, once
// with standard output on a pseudo-terminal and standard error on a pipe,
// once the other way round, once with both on pipes, under several locales.
// CASE.out and CASE.err (absent: empty) hold the Latin-1 bytes the program
// writes to pipes, CASE.status its exit status (absent: 0). The pipe must
// get exactly those bytes; the terminal gets them converted to UTF-8 when
// the locale's character set is UTF-8 and unchanged otherwise, with each
// "\n" as "\r\n" (the terminal's output processing). Both expected streams
// must hold a byte >= 0x80, or the case would prove nothing.
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
#include <utility>
#include <vector>

namespace {

const int DEADLINE_MS = 20000;

std::string read_file(const std::string &path, bool required) {
  std::ifstream in(path, std::ios::binary);
  if (!in && required) std::cerr << "cannot read " << path << "\n";
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What the terminal shows for bytes written to it.
std::string on_terminal(const std::string &latin1, bool utf8) {
  std::string shown;
  for (const char ch : latin1) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == '\n') shown += '\r';
    if (utf8 && c >= 0x80) {
      shown += static_cast<char>(0xC0U | (c >> 6U));
      shown += static_cast<char>(0x80U | (c & 0x3FU));
    } else {
      shown += ch;
    }
  }
  return shown;
}

struct Run {
  std::string terminal, out, err; // bytes read from the pty and the two pipes
  int status = -1;
};

// Runs the program with LC_ALL=locale; tty_fd (1, 2, or 0 for none) stays on
// the pseudo-terminal, the other output streams go to pipes.
bool run(const char *program, const std::string &input, const char *locale, int tty_fd,
         Run &result) {
  int pipes[3][2] = {{-1, -1}, {-1, -1}, {-1, -1}};
  for (int fd = 1; fd <= 2; ++fd)
    if (fd != tty_fd && pipe(pipes[fd]) != 0) return false;
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  if (pid < 0) return false;
  if (pid == 0) {
    const int in = open(input.c_str(), O_RDONLY);
    if (in < 0 || dup2(in, 0) < 0) _exit(126);
    for (int fd = 1; fd <= 2; ++fd)
      if (fd != tty_fd && dup2(pipes[fd][1], fd) < 0) _exit(126);
    setenv("LC_ALL", locale, 1);
    execl(program, program, static_cast<char *>(nullptr));
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

void expect(const std::string &what, const std::string &got, const std::string &want) {
  if (got == want) return;
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

int main(int argc, char **argv) {
  if (argc != 3) {
    std::cerr << "usage: pty_test PROGRAM CASE\n";
    return 2;
  }
  const char *program = argv[1];
  const std::string base = argv[2];
  const std::string input = base + ".in", out = read_file(base + ".out", true),
                    err = read_file(base + ".err", false);
  const std::string status_text = read_file(base + ".status", false);
  const int status = status_text.empty() ? 0 : std::stoi(status_text);
  const auto latin1 = [](const std::string &s) {
    return std::any_of(s.begin(), s.end(), [](char c) { return (c & 0x80) != 0; });
  };
  if (!latin1(out) || !latin1(err)) {
    std::cerr << base << ": both .out and .err must hold a Latin-1 letter\n";
    return 1;
  }
  if (find_locale({"C.UTF-8", "C.utf8"}, "UTF-8", false).empty()) {
    std::cerr << "locale C.UTF-8 is not installed\n";
    return 1;
  }
  std::vector<std::string> locales{"C.UTF-8", "C"};
  const std::string comma =
      find_locale({"es_ES.UTF-8", "es_ES.utf8", "de_DE.UTF-8", "de_DE.utf8"}, "UTF-8", true);
  const std::string latin1_locale =
      find_locale({"es_ES.ISO-8859-1", "es_ES", "de_DE.ISO-8859-1", "de_DE"}, "ISO-8859-1", false);
  for (const auto &[name, what] :
       {std::pair{comma, "UTF-8 with decimal comma"}, std::pair{latin1_locale, "ISO-8859-1"}}) {
    if (name.empty())
      std::cout << "no " << what << " locale installed: not tried\n";
    else
      locales.push_back(name);
  }

  for (const auto &locale : locales) {
    const locale_t l = newlocale(LC_ALL_MASK, locale.c_str(), nullptr);
    const bool utf8 = std::string(nl_langinfo_l(CODESET, l)) == "UTF-8";
    freelocale(l);
    std::cout << "LC_ALL=" << locale << "\n";
    for (const int tty_fd : {0, 1, 2}) {
      Run r;
      const std::string where =
          "LC_ALL=" + locale + ", terminal on fd " + std::to_string(tty_fd) + ": ";
      if (!run(program, input, locale.c_str(), tty_fd, r)) {
        std::cerr << where << "cannot run " << program << "\n";
        return 1;
      }
      expect(where + "exit status", std::to_string(r.status), std::to_string(status));
      expect(where + "terminal", r.terminal,
             tty_fd == 0 ? "" : on_terminal(tty_fd == 1 ? out : err, utf8));
      if (tty_fd != 1) expect(where + "standard output pipe", r.out, out);
      if (tty_fd != 2) expect(where + "standard error pipe", r.err, err);
    }
  }
  std::cout << (failures == 0 ? "all runs as expected\n" : "FAILED\n");
  return failures == 0 ? 0 : 1;
}
