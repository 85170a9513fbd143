#pragma once
// Sets an environment variable for one scope and restores it afterwards.
#include <cstdlib>
#include <optional>
#include <string>

class ScopedEnv {
public:
    explicit ScopedEnv(std::string name) : name_(std::move(name))
    {
        if (const char* old = std::getenv(name_.c_str()))
            saved_ = old;
    }
    ScopedEnv(std::string name, const std::string& value) : ScopedEnv(std::move(name))
    {
        setenv(name_.c_str(), value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (saved_)
            setenv(name_.c_str(), saved_->c_str(), 1);
        else
            unsetenv(name_.c_str());
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    std::string name_;
    std::optional<std::string> saved_;
};
