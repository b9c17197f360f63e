#include "Lottie/CoreAnimation/TypeNames.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>

namespace lottie {

std::string TypeNames::unqualified(const std::type_info& type) {
    int status = 0;
    const std::unique_ptr<char, decltype(&std::free)> demangled(
        abi::__cxa_demangle(type.name(), nullptr, nullptr, &status), &std::free);
    const std::string name = status == 0 && demangled ? demangled.get() : type.name();
    // The scopes of template arguments stay: only the type's own are dropped.
    const std::size_t templateStart = name.find('<');
    const std::size_t lastScope = name.rfind("::", templateStart);
    return lastScope == std::string::npos ? name : name.substr(lastScope + 2);
}

}  // namespace lottie
