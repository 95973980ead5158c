// The interval of time that a piece of code is expected to take.
#pragma once

namespace orven::model {

// A pair (minimum, maximum); -1.0 means "not set". Invariants kept by set():
// a negative value is stored as -1.0, a maximum is set only with a minimum,
// and when both are set minimum <= maximum.
class TimeRestriction {
  public:
    static constexpr float kNotSet = -1.0f;

    // No restriction: (-1.0, -1.0).
    TimeRestriction() = default;
    // The pair as set() takes it; a refused pair gives no restriction.
    TimeRestriction(float minimum, float maximum);
    virtual ~TimeRestriction() = default;
    TimeRestriction(const TimeRestriction&) = default;
    TimeRestriction& operator=(const TimeRestriction&) = default;

    float minimum() const { return minimum_; }
    float maximum() const { return maximum_; }
    bool hasMinimum() const { return minimum_ >= 0.0f; }
    bool hasMaximum() const { return maximum_ >= 0.0f; }
    bool isSet() const { return hasMinimum(); }

    // A negative (or NaN) value becomes -1.0; refused (false, unchanged) when
    // both are set and minimum > maximum; without a minimum the maximum is
    // not set either.
    bool set(float minimum, float maximum);
    void clear() { minimum_ = maximum_ = kNotSet; }

    // Whether the inner restriction lies within this one: without a minimum
    // here, only an inner one without minimum; with a minimum only, an inner
    // one without minimum or with a minimum not below it; with both, an
    // inner one with both inside the interval.
    bool includes(const TimeRestriction& inner) const;

    bool operator==(const TimeRestriction& o) const {
        return minimum_ == o.minimum_ && maximum_ == o.maximum_;
    }

  private:
    float minimum_ = kNotSet;
    float maximum_ = kNotSet;
};

}  // namespace orven::model
