// A record of the macro registrations that the stages of a generation run
// make, in their order; tests and tools read it to see exactly what a
// stage handed to its script.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace orven::codegen {

struct Registration {
    enum Kind { Macro, Repetition, Clean };
    Kind kind = Macro;
    std::string zone;  // repetition values only
    std::string area;  // repetition values only
    std::string name;
    std::uint32_t index = 0;  // repetition values only
    std::string value;

    static Registration macro(std::string name, std::string value) {
        return {Macro, {}, {}, std::move(name), 0, std::move(value)};
    }
    static Registration repetition(std::string zone, std::string area, std::string name,
                                   std::uint32_t index, std::string value) {
        return {Repetition,      std::move(zone), std::move(area),
                std::move(name), index,           std::move(value)};
    }
    static Registration clean() { return {Clean, {}, {}, {}, 0, {}}; }

    bool operator==(const Registration&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Registration& r);

class RegistrationTrace {
  public:
    void add(Registration r) { entries_.push_back(std::move(r)); }
    const std::vector<Registration>& entries() const { return entries_; }
    void clear() { entries_.clear(); }

  private:
    std::vector<Registration> entries_;
};

}  // namespace orven::codegen
