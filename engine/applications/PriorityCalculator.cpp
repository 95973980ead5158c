#include "applications/PriorityCalculator.h"

#include <algorithm>
#include <vector>

#include "applications/Application.h"
#include "applications/PriorityLevels.h"
#include "model/OxaModule.h"

namespace orven::applications {

namespace {

// Every service of a module, group by group, in name order.
std::vector<model::Service*> servicesOf(const model::OxaModule& module) {
    std::vector<model::Service*> services;
    for (std::size_t g = 0; g < module.groupCount(); ++g) {
        model::GroupOfServices* group = module.groupAt(g);
        for (std::size_t s = 0; s < group->serviceCount(); ++s)
            services.push_back(group->serviceAt(s));
    }
    return services;
}

double unsignedValue(int value) {
    return static_cast<double>(static_cast<std::uint32_t>(value));
}

int asInt(std::uint32_t value) {
    return static_cast<int>(value);
}

}  // namespace

bool QuenorPriorityCalculator::Calculate(std::uint32_t& prioritiesUsed) {
    PriorityLevels<model::OxaModule*> modules;
    for (std::size_t u = 0; u < application_.unitCount(); ++u) {
        ConceptualUnit* unit = application_.unitAt(u);
        for (std::size_t m = 0; m < unit->moduleCount(); ++m) {
            model::OxaModule* module = unit->moduleAt(m);
            if (!modules.insert(module, unsignedValue(module->priority())))
                return false;
        }
    }
    const std::size_t levels = modules.levelCount();
    prioritiesUsed = 0;
    std::uint32_t base = 0;
    for (std::size_t k = 0; k < levels; ++k) {
        const std::vector<model::OxaModule*> level = modules.itemsOfLevel(k);
        std::uint32_t widest = 0;
        for (model::OxaModule* module : level) {
            const std::vector<model::Service*> services = servicesOf(*module);
            PriorityLevels<model::Service*> ranks;
            for (model::Service* s : services) {
                if (s->priorityType() == model::kRelativePriority)
                    ranks.insert(s, unsignedValue(s->relativePriority()));
            }
            widest = std::max(widest, static_cast<std::uint32_t>(ranks.levelCount()));
            for (model::Service* s : services) {
                if (s->priorityType() == model::kLowestPriority) {
                    s->setRelativePriority(asInt(base + 1));
                } else if (s->priorityType() == model::kRelativePriority) {
                    s->setRelativePriority(
                        asInt(base + 2 + static_cast<std::uint32_t>(ranks.levelOf(s))));
                }
            }
        }
        const std::uint32_t next = base + widest + 3;
        for (model::OxaModule* module : level) {
            for (model::Service* s : servicesOf(*module)) {
                if (s->priorityType() == model::kHighestPriority)
                    s->setRelativePriority(asInt(next - 1));
            }
            module->setPriorityRange(asInt(base), asInt(next));
        }
        prioritiesUsed = next + 1;
        base = next + 1;
    }
    return true;
}

std::string priorityString(const model::OxaModule& module, std::int32_t offset) {
    const auto add = [offset](int value) {
        return std::to_string(static_cast<std::uint32_t>(value) +
                              static_cast<std::uint32_t>(offset));
    };
    std::string out = "M" + add(module.lowestPriority()) + ":" + add(module.highestPriority());
    for (std::size_t g = 0; g < module.groupCount(); ++g) {
        model::GroupOfServices* group = module.groupAt(g);
        for (std::size_t s = 0; s < group->serviceCount(); ++s) {
            model::Service* service = group->serviceAt(s);
            out += ",G" + std::to_string(g) + "S" + std::to_string(s) + ":";
            out += service->priorityType() == model::kNoPriority ? std::string("*")
                                                                 : add(service->relativePriority());
        }
    }
    return out;
}

}  // namespace orven::applications
