#pragma once
// The name of a C++ type as the engine's messages show it: demangled and
// without its namespaces ("Ellipse", "Foo<lottie::Bar>"). Used where a
// message names the class of an item or of a value it could not handle;
// stateless.

#include <string>
#include <typeinfo>

namespace lottie {

struct TypeNames {
    // The mangled name when it cannot be demangled.
    static std::string unqualified(const std::type_info& type);
};

}  // namespace lottie
