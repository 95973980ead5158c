// Priority calculation over an application: the modules' priorities and
// their services' relative priorities become absolute, non-overlapping
// priority numbers, one band per module priority level.
#pragma once

#include <cstdint>
#include <string>

namespace orven::model {
class OxaModule;
}

namespace orven::applications {

class OrvenApplication;

class PriorityCalculator {
  public:
    explicit PriorityCalculator(OrvenApplication& application) : application_(application) {}
    virtual ~PriorityCalculator() = default;
    PriorityCalculator(const PriorityCalculator&) = delete;
    PriorityCalculator& operator=(const PriorityCalculator&) = delete;

    // Assigns the priorities; false on failure. prioritiesUsed receives the
    // number of priority numbers the result takes.
    virtual bool Calculate(std::uint32_t& prioritiesUsed) = 0;

    // The result of the last successful calculation.
    std::uint32_t prioritiesUsed() const { return prioritiesUsed_; }
    bool run() {
        std::uint32_t used = 0;
        if (!Calculate(used))
            return false;
        prioritiesUsed_ = used;
        return true;
    }

  protected:
    OrvenApplication& application_;

  private:
    std::uint32_t prioritiesUsed_ = 0;
};

// The calculator of the Quenor 1.0 rules, the only one there is.
class QuenorPriorityCalculator : public PriorityCalculator {
  public:
    using PriorityCalculator::PriorityCalculator;
    static constexpr const char* kName = "Quenor 1.0 spe" "cification";
    bool Calculate(std::uint32_t& prioritiesUsed) override;
};

// "M" lowest ":" highest, then ",G" g "S" s ":" priority (or "*" for a
// service without priority) for every service; offset is added to every
// priority number, which is written as an unsigned 32-bit value.
std::string priorityString(const model::OxaModule& module, std::int32_t offset);

}  // namespace orven::applications
