#pragma once

#include <dlfcn.h>

#include <string>
#include <type_traits>
#include <variant>

// One member of a table of functions: a pointer typed as the library's header declares it.
#define KLU_FUNCTION_POINTER(name) decltype(&::name) name;

namespace klu {

// Opens a shared object and fills a table of its functions: bind_all(table, bind) calls
// bind(table.pointer, "name") for each one. Gives the table, or why not: the loader's reason, or
// the first function the object lacks. A loaded object is never closed, as its functions serve
// until the program ends; in a program linked to it already, the loader finds the copy it has.
template <typename Table, typename BindAll>
std::variant<Table, std::string> LoadFunctions(const char* shared_object, BindAll bind_all) {
    void* library = dlopen(shared_object, RTLD_NOW | RTLD_LOCAL);
    if (!library) return std::string(dlerror());
    Table table{};
    const char* missing = nullptr;
    bind_all(table, [&](auto& pointer, const char* name) {
        pointer = reinterpret_cast<std::remove_reference_t<decltype(pointer)>>(dlsym(library, name));
        if (!pointer && !missing) missing = name;
    });
    if (!missing) return table;
    dlclose(library);
    return std::string(shared_object) + " lacks " + missing;
}

}  // namespace klu
