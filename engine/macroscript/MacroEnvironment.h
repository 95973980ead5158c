// The values a macro script expands with: simple macros (name -> value) and
// repetition values (in zone Z, while area A is expanded for the repetition
// with index I, macro M has value V). Lookups are hash lookups; the count of
// an area's repetitions is kept as values are registered.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace orven::macroscript {

class MacroEnvironment {
  public:
    // The values of one zone, area and macro by index: indexes registered
    // close to the ones before them are kept in a vector (a repetition reads
    // them in order), far-off ones in a map.
    struct Series {
        std::vector<std::string> dense;
        std::vector<bool> present;
        std::unordered_map<std::uint32_t, std::string> sparse;
        // The first value registered for index; null if none.
        const std::string* find(std::uint32_t index) const;
        void add(std::uint32_t index, std::string_view value);
    };

    // Sets a simple macro, replacing an earlier value; false (nothing
    // changed) for an empty name. An empty value is a value.
    bool registerMacro(std::string_view name, std::string_view value);
    // The value of a simple macro; null when it is not registered.
    const std::string* findMacro(std::string_view name) const;
    // Removes a simple macro (no effect when it is not registered).
    void eraseMacro(std::string_view name);
    std::size_t macroCount() const { return macros_.size(); }

    // Adds a repetition value; an earlier one with the same zone, area, macro
    // and index stays and wins on lookup.
    void registerRepetition(std::string_view zone, std::string_view area, std::string_view macro,
                            std::uint32_t index, std::string_view value);
    // The values registered for zone, area and macro; null if none. The
    // series stays in place until clear().
    const Series* findSeries(std::string_view zone, std::string_view area,
                             std::string_view macro) const;
    // The first registered value for zone, area, macro and index; null if none.
    const std::string* findRepetition(std::string_view zone, std::string_view area,
                                      std::string_view macro, std::uint32_t index) const;
    // One more than the largest index registered for area in any zone and for
    // any macro; 0 when there is none.
    std::uint64_t repetitionCount(std::string_view area) const;
    // Number of registrations, duplicates included.
    std::size_t repetitionRegistrations() const { return registrations_; }

    // Forgets every simple macro and repetition value.
    void clear();

  private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const {
            return std::hash<std::string_view>{}(s);
        }
    };
    struct KeyView {
        std::string_view zone, area, macro;
    };
    struct Key {
        std::string zone, area, macro;
        KeyView view() const { return {zone, area, macro}; }
    };
    struct KeyHash {
        using is_transparent = void;
        std::size_t operator()(const KeyView& k) const;
        std::size_t operator()(const Key& k) const { return (*this)(k.view()); }
    };
    struct KeyEqual {
        using is_transparent = void;
        static bool same(const KeyView& a, const KeyView& b) {
            return a.macro == b.macro && a.area == b.area && a.zone == b.zone;
        }
        bool operator()(const Key& a, const Key& b) const { return same(a.view(), b.view()); }
        bool operator()(const KeyView& a, const Key& b) const { return same(a, b.view()); }
        bool operator()(const Key& a, const KeyView& b) const { return same(a.view(), b); }
    };
    std::unordered_map<std::string, std::string, Hash, std::equal_to<>> macros_;
    std::unordered_map<Key, Series, KeyHash, KeyEqual> repetitions_;
    std::unordered_map<std::string, std::uint64_t, Hash, std::equal_to<>> areaCounts_;
    std::size_t registrations_ = 0;
};

}  // namespace orven::macroscript
