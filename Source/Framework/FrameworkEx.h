// The two exception types of the framework. Neither derives from the other nor from
// std::exception: the entry point catches them by type.
#pragma once

#include <string>
#include <utility>

// A run-time failure of the framework or one of its parts.
class FrameworkEx {
public:
    explicit FrameworkEx(std::string text) : message(std::move(text)) {}
    const std::string& Message() const { return message; }

private:
    std::string message;
};

// The graphics adaptor lacks a capability the demo needs.
class FrameworkSupportFailed {
public:
    explicit FrameworkSupportFailed(std::string text) : message(std::move(text)) {}
    const std::string& Message() const { return message; }

private:
    std::string message;
};
