// A program started with pipes on its standard input and output, spoken to in lines; its
// standard error is ours. Once for POSIX and once for Windows.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace VarnCli {

// One argument of a Windows command line, quoted so that the C runtime's split gives it
// back unchanged: quoted when it holds a space, a tab or a quote, with backslashes
// doubled only before a quote.
std::string QuoteArgument(const std::string& arg);

class ChildProcess {
public:
    ChildProcess();
    // Ends the child if it still runs, and waits for it.
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // args[0] is the program's file.
    bool Start(const std::vector<std::string>& args, std::string& error);
    // False once the child stopped reading.
    bool WriteLine(const std::string& line);
    // The next line without its end; false at the end of the child's output.
    bool ReadLine(std::string& line);
    // No more lines: the child sees the end of its input.
    void CloseInput();
    // Asks the child to stop as Ctrl-C would (on Windows, ends it).
    void Interrupt();
    // Its exit status, once it has ended.
    int Wait();

private:
    struct Impl;
    std::unique_ptr<Impl> impl;
    std::string pending;  // read but not yet a whole line
    bool ended = false;
    bool ReadMore();
};

}  // namespace VarnCli
