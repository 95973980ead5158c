#include "model/TimeRestriction.h"

namespace orven::model {

namespace {
// A value that is not a non-negative number means "not set".
float normalised(float value) {
    return value >= 0.0f ? value : TimeRestriction::kNotSet;
}
}  // namespace

TimeRestriction::TimeRestriction(float minimum, float maximum) {
    set(minimum, maximum);
}

bool TimeRestriction::set(float minimum, float maximum) {
    minimum = normalised(minimum);
    maximum = normalised(maximum);
    if (minimum >= 0.0f && maximum >= 0.0f && minimum > maximum)
        return false;
    minimum_ = minimum;
    maximum_ = minimum >= 0.0f ? maximum : kNotSet;
    return true;
}

bool TimeRestriction::includes(const TimeRestriction& inner) const {
    if (!hasMinimum())
        return !inner.hasMinimum();
    if (!hasMaximum())
        return !inner.hasMinimum() || inner.minimum() >= minimum();
    return inner.hasMinimum() && inner.hasMaximum() && inner.minimum() >= minimum() &&
           inner.maximum() <= maximum();
}

}  // namespace orven::model
