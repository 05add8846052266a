#include "TestSeam.h"

#include <vector>

namespace testseam {
namespace {
std::vector<Saver>& Switches() {
    static std::vector<Saver> switches;
    return switches;
}
} // namespace

bool Register(Saver save) {
    Switches().push_back(std::move(save));
    return true;
}

std::function<void()> SaveAll() {
    std::vector<std::function<void()>> restores;
    for (const Saver& save : Switches())
        restores.push_back(save());
    return [restores = std::move(restores)] {
        for (const auto& restore : restores)
            restore();
    };
}

} // namespace testseam
