// The frame of the engines' classic entry (mainfun): its lines go to standard
// output, a missing argument or any exception becomes a failure line, and
// the result is 1 when the run wrote its files, else 0. Nothing leaves the
// library.
#pragma once

#include <exception>
#include <functional>
#include <initializer_list>
#include <iostream>
#include <new>

namespace meridan::engine {

inline int runClassicEntry(const char* engine, std::initializer_list<const char*> arguments,
                           const std::function<bool(std::ostream&)>& body)
{
    try {
        for (const char* argument : arguments)
            if (!argument) {
                std::cout << engine << ": missing argument" << std::endl;
                return 0;
            }
        const bool ok = body(std::cout);
        std::cout.flush();
        return ok ? 1 : 0;
    } catch (const std::bad_alloc&) {
        std::cout << engine << ": out of memory" << std::endl;
    } catch (const std::exception& e) {
        std::cout << engine << ": " << e.what() << std::endl;
    } catch (...) {
        std::cout << engine << ": unexpected failure" << std::endl;
    }
    return 0;
}

} // namespace meridan::engine
