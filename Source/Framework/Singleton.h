// Base of the framework's singletons: a second instance is refused with
// "<ClassName> is a singleton!", and the process-wide pointer lives as long as the instance.
#pragma once

#include "Framework/FrameworkEx.h"

#include <string>

template <class T>
class Singleton {
public:
    Singleton(const Singleton&) = delete;
    Singleton& operator=(const Singleton&) = delete;

    static T* Instance() { return instance; }

protected:
    explicit Singleton(const char* className) {
        if (instance != nullptr) throw FrameworkEx(std::string(className) + " is a singleton!");
        instance = static_cast<T*>(this);
    }
    ~Singleton() { instance = nullptr; }

private:
    static inline T* instance = nullptr;
};
