#include "api/EngineState.h"

namespace orven {

EngineState& engine() {
    static EngineState state;
    return state;
}

}  // namespace orven
