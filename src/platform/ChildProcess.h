#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

namespace platform {

// How a child process ended, and what it wrote on its standard output.
struct ChildEnding {
    enum class Kind {
        Exited,    // it ended by itself; code is its exit status
        Signalled, // a signal ended it; code is the signal
        TimedOut,  // it ran past its time and was killed
        GivenUp,   // its starter gave it up and it was killed
        NotStarted // it could not be started; code is the errno
    };
    Kind kind = Kind::NotStarted;
    int code = 0;
    std::string output;
};

// Runs a program (found on the PATH when its name has no folder) with the input on its
// standard input and waits for it at most the limit, after which it is killed with all it
// started. Its output is kept up to 4 MiB. Its locale's character set is this process's, so that
// it reads the file names it gets as they are meant; it runs in a process group of its own, out of
// reach of the terminal's Ctrl-C, with no signal blocked or ignored. The child gets none of this
// process's other open files, so it never keeps a database file (and the lock on it) open after
// this process lets go of it. While it runs, givenUp (when given) is asked a few times a second;
// once it says so, the child is killed as at its time.
ChildEnding runChild(const std::string& program, const std::vector<std::string>& arguments, const std::string& input,
                     std::chrono::milliseconds limit, const std::function<bool()>& givenUp = {});

} // namespace platform
