// Latin-1 texts on UTF-8 terminals. The programs write their Spanish texts as
// single Latin-1 bytes; on a terminal whose locale's character set is UTF-8
// those bytes would show as broken characters.
#ifndef P3_TERMINAL_H
#define P3_TERMINAL_H

// Call once, first thing in main. For standard output and, separately,
// standard error: when the stream is a terminal and the character set of the
// environment's locale (setlocale(LC_CTYPE, "") and nl_langinfo(CODESET)) is
// UTF-8, every byte written to std::cout / std::cerr from then on is
// converted from Latin-1 to UTF-8. Pipes, files and other terminals keep
// the Latin-1 bytes. Number formatting is not affected: the streams keep
// the classic locale.
void adapta_terminal();

#endif
