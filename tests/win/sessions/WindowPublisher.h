// Publishes the windows of this process, with the screen rectangles a person would aim
// at, to a JSON file that a driver outside Wine reads to point and type through the X
// server. A thread of its own rewrites the file a few times a second; each version
// replaces the last at once, so a reader never sees half a file.
#pragma once

#include <windows.h>

#include <atomic>
#include <string>
#include <thread>

namespace Sessions {

// One snapshot of every visible top-level window of the process and its descendants.
std::string DescribeWindows(unsigned sequence);

class WindowPublisher {
public:
    WindowPublisher(const std::string& path, int periodMs);
    ~WindowPublisher();
    WindowPublisher(const WindowPublisher&) = delete;
    WindowPublisher& operator=(const WindowPublisher&) = delete;

private:
    void Publish(unsigned sequence) const;

    std::string path;
    int periodMs;
    std::atomic<bool> stop{false};
    std::thread thread;
};

}  // namespace Sessions
