#include "progress.h"

#include <iostream>

namespace host::cli {

namespace {

constexpr std::chrono::seconds quiet_time{1};

} // namespace

Progress::Progress(std::string command)
    : command_(std::move(command)), start_(Clock::now()), last_(start_) {}

void Progress::report(const std::string& text) {
    const Clock::time_point now = Clock::now();
    if (now - start_ > quiet_time && now - last_ >= quiet_time) {
        last_ = now;
        show(text);
    }
}

void Progress::finish(const std::string& text) {
    if (shown_) {
        show(text);
    }
}

void Progress::show(const std::string& text) {
    shown_ = true;
    std::cerr << "panelhost " << command_ << ": " << text << std::endl;
}

} // namespace host::cli
