#pragma once
// Environment variables changed for one scope (POSIX test programs).
#include <cstdlib>
#include <optional>
#include <string>

// Sets (or with nullptr unsets) an environment variable, and puts back the old value at the end of the scope.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name)
    {
        if (const char* current = std::getenv(name))
            old_ = current;
        value ? setenv(name, value, 1) : unsetenv(name);
    }
    ~ScopedEnvironment() { old_ ? setenv(name_, old_->c_str(), 1) : unsetenv(name_); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};
