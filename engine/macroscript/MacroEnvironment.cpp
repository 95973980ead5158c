#include "macroscript/MacroEnvironment.h"

namespace orven::macroscript {

bool MacroEnvironment::registerMacro(std::string_view name, std::string_view value) {
    if (name.empty())
        return false;
    auto it = macros_.find(name);
    if (it != macros_.end()) {
        it->second.assign(value);
    } else {
        macros_.emplace(std::string(name), std::string(value));
    }
    return true;
}

const std::string* MacroEnvironment::findMacro(std::string_view name) const {
    auto it = macros_.find(name);
    return it != macros_.end() ? &it->second : nullptr;
}

void MacroEnvironment::eraseMacro(std::string_view name) {
    auto it = macros_.find(name);
    if (it != macros_.end())
        macros_.erase(it);
}

std::size_t MacroEnvironment::KeyHash::operator()(const KeyView& k) const {
    std::hash<std::string_view> h;
    std::size_t seed = h(k.zone);
    auto mix = [&seed](std::size_t v) {
        seed ^= v + 0x9e3779b97f4a7c15ULL + (seed << 6) + (seed >> 2);
    };
    mix(h(k.area));
    mix(h(k.macro));
    return seed;
}

const std::string* MacroEnvironment::Series::find(std::uint32_t index) const {
    if (index < dense.size()) {
        if (present[index])
            return &dense[index];
    }
    if (sparse.empty())
        return nullptr;
    auto it = sparse.find(index);
    return it != sparse.end() ? &it->second : nullptr;
}

void MacroEnvironment::Series::add(std::uint32_t index, std::string_view value) {
    // The first value registered for an index stays.
    if (find(index) != nullptr)
        return;
    constexpr std::size_t kGap = 1024;
    if (index < dense.size() + kGap) {
        if (index >= dense.size()) {
            dense.resize(static_cast<std::size_t>(index) + 1);
            present.resize(static_cast<std::size_t>(index) + 1, false);
        }
        dense[index].assign(value);
        present[index] = true;
    } else {
        sparse.emplace(index, std::string(value));
    }
}

void MacroEnvironment::registerRepetition(std::string_view zone, std::string_view area,
                                          std::string_view macro, std::uint32_t index,
                                          std::string_view value) {
    ++registrations_;
    KeyView view{zone, area, macro};
    auto series = repetitions_.find(view);
    if (series == repetitions_.end()) {
        series =
            repetitions_
                .emplace(Key{std::string(zone), std::string(area), std::string(macro)}, Series{})
                .first;
    }
    series->second.add(index, value);
    std::uint64_t count = static_cast<std::uint64_t>(index) + 1;
    auto it = areaCounts_.find(area);
    if (it == areaCounts_.end()) {
        areaCounts_.emplace(std::string(area), count);
    } else if (it->second < count) {
        it->second = count;
    }
}

const MacroEnvironment::Series* MacroEnvironment::findSeries(std::string_view zone,
                                                             std::string_view area,
                                                             std::string_view macro) const {
    auto it = repetitions_.find(KeyView{zone, area, macro});
    return it != repetitions_.end() ? &it->second : nullptr;
}

const std::string* MacroEnvironment::findRepetition(std::string_view zone, std::string_view area,
                                                    std::string_view macro,
                                                    std::uint32_t index) const {
    auto it = repetitions_.find(KeyView{zone, area, macro});
    return it != repetitions_.end() ? it->second.find(index) : nullptr;
}

std::uint64_t MacroEnvironment::repetitionCount(std::string_view area) const {
    auto it = areaCounts_.find(area);
    return it != areaCounts_.end() ? it->second : 0;
}

void MacroEnvironment::clear() {
    macros_.clear();
    repetitions_.clear();
    areaCounts_.clear();
    registrations_ = 0;
}

}  // namespace orven::macroscript
