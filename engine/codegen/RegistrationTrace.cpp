#include "codegen/RegistrationTrace.h"

namespace orven::codegen {

std::ostream& operator<<(std::ostream& out, const Registration& r) {
    switch (r.kind) {
        case Registration::Macro:
            return out << "macro " << r.name << "=[" << r.value << "]";
        case Registration::Repetition:
            return out << "rep " << r.zone << "/" << r.area << "/" << r.name << "#" << r.index
                       << "=[" << r.value << "]";
        case Registration::Clean:
            return out << "clean";
    }
    return out;
}

}  // namespace orven::codegen
