#include "engine/parallel.h"

#include <algorithm>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace tessora {

void runInParts(int parts, const std::function<void(int part)>& work) {
    std::vector<std::exception_ptr> errors(static_cast<std::size_t>(std::max(parts, 1)));
    const auto guarded = [&](int part) {
        try {
            work(part);
        } catch (...) {
            errors[static_cast<std::size_t>(part)] = std::current_exception();
        }
    };
    {
        std::vector<int> unstarted;
        std::vector<std::jthread> helpers;
        helpers.reserve(errors.size());
        for (int part = 1; part < parts; ++part) {
            try {
                helpers.emplace_back(guarded, part);
            } catch (const std::system_error&) {
                unstarted.push_back(part);
            }
        }
        guarded(0);
        for (const int part : unstarted)
            guarded(part);
    }
    for (const std::exception_ptr& error : errors) {
        if (error) std::rethrow_exception(error);
    }
}

}  // namespace tessora
