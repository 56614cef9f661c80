#pragma once
// A failure of the program or of the platform, with its description: what the program throws.
// It keeps its own text instead of deriving from the standard library's runtime_error family,
// whose second string implementation would add a tenth to the executable. Platform-free.

#include <exception>
#include <string>
#include <utility>

namespace jitswap {

class Failure : public std::exception {
public:
    explicit Failure(std::string description) : m_description(std::move(description)) {}
    const char* what() const noexcept override { return m_description.c_str(); }

private:
    std::string m_description;
};

} // namespace jitswap
