// The three kinds of failure raised inside a host call. Only Dispatch catches them and
// turns them into the host's result code; anything else thrown reaches the host as -1.
#pragma once

#include <exception>
#include <string>

#include "OrvLib/plugin/HostInterface.h"

// A message for the host to show (errReportString).
class OrvTextFailure : public std::exception {
public:
    explicit OrvTextFailure(std::string initialMessage) : message(std::move(initialMessage)) {}
    const char* what() const noexcept override { return message.c_str(); }
    const std::string& Message() const { return message; }

private:
    std::string message;
};

// A 16-bit host result code, passed back unchanged.
class OrvHostError : public std::exception {
public:
    explicit OrvHostError(OSErr initialCode) : code(initialCode) {}
    const char* what() const noexcept override { return "host error code"; }
    OSErr Code() const { return code; }

private:
    OSErr code;
};

[[noreturn]] inline void ThrowHostError(OSErr code) { throw OrvHostError(code); }
[[noreturn]] inline void ThrowText(const char* message) { throw OrvTextFailure(message); }
