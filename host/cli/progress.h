// Progress of long work on standard error. Work done within a second stays quiet; longer work
// reports at most once a second.
#pragma once

#include <chrono>
#include <string>

namespace host::cli {

class Progress {
  public:
    // `command` names the command in each line, as in "panelhost sheet: ...".
    explicit Progress(std::string command);

    // Shows `text` once the work has run for more than a second and a second has passed since
    // the last line shown.
    void report(const std::string& text);
    // Shows `text` if any progress was shown, so that a reported run ends with a last line.
    void finish(const std::string& text);

  private:
    using Clock = std::chrono::steady_clock;

    void show(const std::string& text);

    std::string command_;
    Clock::time_point start_;
    Clock::time_point last_;
    bool shown_ = false;
};

} // namespace host::cli
